#include "prefs/SettingsFile.h"

#include <cstdio>

#include "core/preferences/PreferenceFileCache.h"
#include "core/process/HomeDirectory.h"
#include "settings/PreferenceFileEdit.h"

namespace morvane::prefs {

std::string SettingsFile::devicePath() {
    char path[512];
    std::snprintf(path, sizeof path, "%s/Library/Preferences/%s", core::NSHomeDirectory().c_str(),
                  kFileName);
    return path;
}

std::optional<core::PlistDictionary> SettingsFile::read() {
    return core::PreferenceFileCache::read(devicePath());
}

bool SettingsFile::setValue(const std::string& key, const core::PlistValue& value) {
    return settings::setValueInPreferenceFile(devicePath(), key, value);
}

}  // namespace morvane::prefs
