#include "tweak/store/ValuesFile.h"

#include "core/preferences/PreferenceFileCache.h"

namespace morvane {

std::optional<core::PlistDictionary> ValuesFile::read() {
    return core::PreferenceFileCache::read(kDevicePath);
}

core::PreferenceFileUpdate::Result ValuesFile::update(
    const core::PreferenceFileUpdate::Change& change) {
    return core::PreferenceFileUpdate::apply(kDevicePath, change, core::PlistFormat::Xml);
}

}  // namespace morvane
