#include "settings/DeviceDictionary.h"

#include "core/files/RootedFiles.h"
#include "core/plist/PlistReader.h"

namespace settings {

std::optional<core::PlistDictionary> readDeviceDictionary(std::string_view devicePath) {
    const auto bytes = core::readDeviceFile(devicePath);
    if (!bytes) return std::nullopt;
    const auto value = core::parsePropertyList(*bytes);
    if (!value || !value->asDictionary()) return std::nullopt;
    return *value->asDictionary();
}

}  // namespace settings
