#include "core/plist/PlistReader.h"

#include "core/files/AtomicFile.h"
#include "core/plist/BinaryPlistReader.h"
#include "core/plist/XmlPlistReader.h"

namespace core {

std::optional<PlistValue> parsePropertyList(std::string_view bytes) {
    try {
        if (bytes.starts_with("bplist")) return BinaryPlistReader(bytes).read();
        return XmlPlistReader(bytes).read();
    } catch (...) {
        return std::nullopt;  // out of memory: treated as an unreadable file
    }
}

std::optional<PlistValue> parsePropertyListStrictly(std::string_view bytes) {
    try {
        if (bytes.starts_with("bplist")) return BinaryPlistReader(bytes, true).read();
        return XmlPlistReader(bytes).read();
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<PlistValue> readPropertyListFile(const std::filesystem::path& path) {
    const std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes) return std::nullopt;
    return parsePropertyList(*bytes);
}

std::optional<PlistDictionary> dictionaryWithContentsOfFile(const std::filesystem::path& path) {
    const std::optional<PlistValue> value = readPropertyListFile(path);
    if (!value || !value->asDictionary()) return std::nullopt;
    return *value->asDictionary();
}

}  // namespace core
