#include "tweak/store/ValuesFile.h"

#include <filesystem>
#include <system_error>

#include "core/files/AtomicFile.h"
#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"

namespace morvane {

namespace fs = std::filesystem;

namespace {

bool pathExists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

}  // namespace

ValuesFile::Content ValuesFile::read() {
    Content content;
    const auto path = core::DeviceRoot::map(kDevicePath);
    if (!path || !pathExists(*path)) return content;
    content.bytes = core::readWholeFile(*path);
    if (content.bytes) {
        if (auto value = core::parsePropertyList(*content.bytes)) {
            if (const core::PlistDictionary* dictionary = value->asDictionary())
                content.dictionary = *dictionary;
        }
    }
    content.existsButUnreadable = !content.dictionary;
    return content;
}

bool ValuesFile::keepAside() {
    const auto path = core::DeviceRoot::map(kDevicePath);
    if (!path) return false;
    if (!pathExists(*path)) return true;
    for (int attempt = 1; attempt < 1000; ++attempt) {
        fs::path aside = *path;
        aside += kUnreadableSuffix;
        if (attempt > 1) aside += "-" + std::to_string(attempt);
        if (pathExists(aside)) continue;
        std::error_code error;
        fs::rename(*path, aside, error);
        return !error;
    }
    return false;
}

std::optional<std::string> ValuesFile::write(const core::PlistDictionary& values) {
    const auto path = core::DeviceRoot::mapForWriting(kDevicePath);
    if (!path) return std::nullopt;
    std::string bytes = core::toXmlPropertyList(core::PlistValue(values));
    if (bytes.empty() || !core::writeFileAtomically(*path, bytes)) return std::nullopt;
    return bytes;
}

}  // namespace morvane
