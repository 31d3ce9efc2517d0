#include "tweak/store/ValuesFile.h"

#include "core/files/RootedFiles.h"
#include "core/plist/PlistReader.h"

namespace morvane {

std::optional<core::PlistDictionary> ValuesFile::read() {
    const auto bytes = core::readDeviceFile(kDevicePath);
    if (!bytes) return std::nullopt;
    const auto value = core::parsePropertyList(*bytes);
    if (!value || !value->asDictionary()) return std::nullopt;
    return *value->asDictionary();
}

core::PreferenceFileUpdate::Result ValuesFile::update(
    const core::PreferenceFileUpdate::Change& change) {
    return core::PreferenceFileUpdate::apply(kDevicePath, change, core::PlistFormat::Xml);
}

}  // namespace morvane
