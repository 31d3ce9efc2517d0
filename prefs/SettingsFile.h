#pragma once

#include <optional>
#include <string>

#include "core/plist/PlistDictionary.h"
#include "core/plist/PlistValue.h"
#include "core/preferences/PreferenceFileUpdate.h"
#include "shared/MorvaneIdentifiers.h"

namespace morvane::prefs {

// The settings file the pages read and write directly: "%@/Library/Preferences/%@" with the
// user's home directory and "com.kelvrin.morvane.plist", the same file the tweak library
// reads. A parsed file is reused while the file on disk is unchanged (core's
// PreferenceFileCache), so a page of many rows reads a large file once.
class SettingsFile {
  public:
    static constexpr const char* kFileName = identifiers::kValuesFileName;

    static std::string devicePath();
    // The file's dictionary; none when it is missing or unreadable.
    static std::optional<core::PlistDictionary> read();
    // Sets one key in the file, keeping every other key, under the writers' rule; answers
    // what the write came to. A file that already holds the value is left alone, so a change
    // that the base setter has just written waits for the file's lock once, not twice.
    static core::PreferenceFileUpdate::Result setValue(const std::string& key,
                                                       const core::PlistValue& value);
};

}  // namespace morvane::prefs
