#pragma once

#include "core/plist/PlistValue.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace core {

// Parses a property list in XML or binary form (detected). None for empty, truncated,
// corrupt or too deeply nested input; never throws.
std::optional<PlistValue> parsePropertyList(std::string_view bytes);

// Reads a property-list file; none when it is missing, unreadable or not a property list.
std::optional<PlistValue> readPropertyListFile(const std::filesystem::path& path);

// Reads a property-list file whose top level is a dictionary (a preferences file); none
// when it is missing, unreadable, corrupt or holds anything but a dictionary.
std::optional<PlistDictionary> dictionaryWithContentsOfFile(const std::filesystem::path& path);

}  // namespace core
