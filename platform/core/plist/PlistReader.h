#pragma once

#include "core/plist/PlistValue.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace core {

// Parses a property list in XML or binary form (detected). None for empty, truncated,
// corrupt or too deeply nested input; never throws.
std::optional<PlistValue> parsePropertyList(std::string_view bytes);

// Parses as parsePropertyList does, but refuses what that repairs or passes on: binary text
// that is not valid in its encoding, and dates outside years 0001-9999 or not finite. For
// tools that judge a file rather than use what can be had of it.
std::optional<PlistValue> parsePropertyListStrictly(std::string_view bytes);

// Reads a property-list file; none when it is missing, unreadable or not a property list.
std::optional<PlistValue> readPropertyListFile(const std::filesystem::path& path);

// Reads a property-list file whose top level is a dictionary (a preferences file); none
// when it is missing, unreadable, corrupt or holds anything but a dictionary.
std::optional<PlistDictionary> dictionaryWithContentsOfFile(const std::filesystem::path& path);

}  // namespace core
