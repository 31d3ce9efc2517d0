#include "settings/PreferenceFileEdit.h"

namespace settings {

core::PreferenceFileUpdate::Result setValueInPreferenceFile(const std::string& devicePath,
                                                            const std::string& key,
                                                            const core::PlistValue& value) {
    return core::PreferenceFileUpdate::apply(
        devicePath, [&](core::PlistDictionary& values) { values.set(key, value); },
        core::PlistFormat::Binary);
}

}  // namespace settings
