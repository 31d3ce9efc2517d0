#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "PlistDocument.h"
#include "PlistFiles.h"
#include "PlutilCommand.h"

// Runs one plutil command on its files; answers the exit status (0 done, 1 a file could not
// be read or written or a key path does not fit, with a message on standard error).
class Plutil {
  public:
    explicit Plutil(PlistFiles files) : _files(std::move(files)) {}

    int run(const PlutilCommand& command);

  private:
    int lint(const PlutilCommand& command);
    int print(const std::string& path);
    int convert(const PlutilCommand& command);
    int convertInPlace(const std::string& path, PlutilCommand::Form form);
    int extract(const PlutilCommand& command);
    int edit(const PlutilCommand& command);
    int rewrite(const std::string& path, const PlistDocument& document,
                PlutilCommand::Form form, const std::function<void(core::PlistValue&)>& change);
    int rewritePreferences(const std::string& path, PlutilCommand::Form form,
                           const std::function<void(core::PlistValue&)>& change);
    int emit(const std::string& output, const std::string& bytes);

    // The document at path; none (and a message given) when it cannot be read.
    std::optional<PlistDocument> load(const std::string& path);
    int fail(const std::string& message);

    PlistFiles _files;
};
