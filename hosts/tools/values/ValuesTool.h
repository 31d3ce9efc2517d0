#pragma once

#include <functional>
#include <optional>
#include <string>

#include "PlistFiles.h"
#include "ValuesCommand.h"
#include "core/plist/PlistDictionary.h"

// Runs one ValuesEditor command on the device root's values file; answers the exit status
// (0 done, 1 not done, with the reason on standard error).
class ValuesTool {
  public:
    // `files`: where FILE arguments are read and written (this machine's paths, or the
    // device root's).
    explicit ValuesTool(PlistFiles files) : _files(std::move(files)) {}

    int run(const ValuesCommand& command);

  private:
    int edit(const ValuesCommand& command);
    int list(const ValuesCommand& command);
    int exportValues(const ValuesCommand& command);
    int importValues(const ValuesCommand& command);

    // The values file's dictionary (empty when there is no file); none, with the reason
    // printed, when it exists and cannot be read.
    static std::optional<core::PlistDictionary> readValuesFile();
    // Writes one change under the writers' lock and posts the reload notification.
    static int writeChange(const std::function<void(core::PlistDictionary&)>& change);
    std::optional<std::string> readInput(const std::string& file) const;

    PlistFiles _files;
};
