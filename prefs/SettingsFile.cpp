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

core::PreferenceFileUpdate::Result SettingsFile::setValue(const std::string& key,
                                                          const core::PlistValue& value) {
    if (const auto values = read()) {
        if (const core::PlistValue* held = values->find(key); held && *held == value) {
            core::PreferenceFileUpdate::Result unchanged;
            unchanged.outcome = core::PreferenceFileUpdate::Outcome::Written;
            unchanged.values = *values;
            return unchanged;
        }
    }
    return settings::setValueInPreferenceFile(devicePath(), key, value);
}

}  // namespace morvane::prefs
