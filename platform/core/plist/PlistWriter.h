#pragma once

#include "core/plist/PlistFormat.h"
#include "core/plist/PlistValue.h"

#include <filesystem>
#include <string>

namespace core {

// The XML form of value, byte for byte as writeToFile:atomically: writes it. Empty when
// the value cannot be written (nesting too deep; a string with a control character).
std::string toXmlPropertyList(const PlistValue& value);

// The "bplist00" form of value. Empty when the value nests too deeply.
std::string toBinaryPropertyList(const PlistValue& value);

// Writes value to path in format, atomically: a reader sees the old file or the new one.
// False (and the old file untouched) when the value cannot be written or the write fails.
bool writePropertyListFile(const std::filesystem::path& path, const PlistValue& value,
                           PlistFormat format);

}  // namespace core
