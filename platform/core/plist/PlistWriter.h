#pragma once

#include "core/plist/PlistFormat.h"
#include "core/plist/PlistValue.h"

#include <filesystem>
#include <string>

namespace core {

// The XML form of value, byte for byte as writeToFile:atomically: writes it. Empty when
// the value cannot be written (nesting too deep; a string with a control character; larger
// than kMaxPlistWrittenSize). Never throws.
std::string toXmlPropertyList(const PlistValue& value);

// The "bplist00" form of value. Empty when the value nests too deeply or is larger than
// kMaxPlistWrittenSize. Never throws.
std::string toBinaryPropertyList(const PlistValue& value);

// A value encoded for a file, and the form it was encoded in.
struct EncodedPropertyList {
    std::string bytes;  // empty when the value cannot be written in any form
    PlistFormat format = PlistFormat::Xml;
};

// Encodes value in the preferred format where that form reads back equal to the value;
// otherwise in the other format. XML cannot carry some of what the readers accept (control
// characters such as U+0001 in strings, fractions of a second in dates), the binary form
// carries all of it, so whatever a reader returned is written without loss. Never throws.
EncodedPropertyList encodePropertyList(const PlistValue& value, PlistFormat preferred);

// Writes value to path in format, atomically: a reader sees the old file or the new one.
// False (and the old file untouched) when the value cannot be written or the write fails.
// Never throws.
bool writePropertyListFile(const std::filesystem::path& path, const PlistValue& value,
                           PlistFormat format);

// Writes value to path atomically as XML, or as binary when XML cannot carry it (see
// encodePropertyList): the one write of preferences files, which must never fail on content
// that was read from one. False (and the old file untouched) when the write fails.
bool writePropertyListFilePreferringXml(const std::filesystem::path& path, const PlistValue& value);

}  // namespace core
