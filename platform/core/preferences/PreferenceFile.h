#pragma once

#include <optional>
#include <string>

#include "core/plist/PlistDictionary.h"
#include "core/plist/PlistValue.h"

namespace core {

// The file of a preference domain and the reading of its values as the preference APIs do.
class PreferenceFile {
  public:
    // "/var/mobile/Library/Preferences/<domain>.plist".
    static std::string devicePathFor(const std::string& domain);
    // Whether a domain names a file of the preferences folder: not empty, no "/", no "..",
    // no NUL. Every reader and writer of a domain refuses the others outright.
    static bool isValidDomain(const std::string& domain);

    // The domain's stored dictionary; none when the file is missing, unreadable or not a
    // dictionary. Parsed once per change of the file (PreferenceFileCache).
    static std::optional<PlistDictionary> read(const std::string& domain);

    // Replaces the whole dictionary, by the writers' rule (PreferenceFileUpdate), in the binary
    // form of the system's preference store. Answers whether it was written.
    static bool write(const std::string& domain, const PlistDictionary& values);

    // A stored value read as a boolean, as the phone's preference APIs coerce it: a boolean
    // as it is, a number as "not zero", a string starting with Y, y, T, t or a digit 1-9 as
    // true (other strings false); other kinds are not booleans (none).
    static std::optional<bool> boolValue(const PlistValue& value);
};

}  // namespace core
