#pragma once

#include <optional>
#include <string>

#include "core/plist/PlistDictionary.h"

namespace morvane {

// The per-app values file (also the file of the settings domain), read and written whole.
class ValuesFile {
  public:
    static constexpr const char* kDevicePath =
        "/var/mobile/Library/Preferences/com.kelvrin.morvane.plist";
    // Appended to the name of a file that exists but cannot be read, when it is kept aside.
    static constexpr const char* kUnreadableSuffix = ".unreadable";

    struct Content {
        // The top-level dictionary; none when the file is missing or unreadable.
        std::optional<core::PlistDictionary> dictionary;
        // The file's bytes as read; none when it is missing or could not be read.
        std::optional<std::string> bytes;
        // The file exists but is no readable dictionary (corrupt, another kind, no access).
        bool existsButUnreadable = false;
    };

    static Content read();

    // Renames an unreadable file to "<name>.unreadable" (".unreadable-2", ... when taken),
    // so that writing a new file never destroys what the user had. Answers whether the path
    // is now free to write.
    static bool keepAside();

    // Writes the dictionary as an XML property list, atomically. Answers the bytes written,
    // or none when nothing was written.
    static std::optional<std::string> write(const core::PlistDictionary& values);
};

}  // namespace morvane
