#include "settings/PreferenceFileEdit.h"

#include "core/preferences/PreferenceFileUpdate.h"

namespace settings {

bool setValueInPreferenceFile(const std::string& devicePath, const std::string& key,
                              const core::PlistValue& value) {
    const auto update = core::PreferenceFileUpdate::apply(
        devicePath, [&](core::PlistDictionary& values) { values.set(key, value); },
        core::PlistFormat::Binary);
    return update.written();
}

}  // namespace settings
