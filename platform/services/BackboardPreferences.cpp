#include "services/BackboardPreferences.h"

#include "core/preferences/AppPreferences.h"

namespace services {

void BackboardPreferences::storeAutoBrightness(bool enabled) {
    core::CFPreferencesSetAppValue(kAutoBrightnessKey, core::PlistValue(enabled), kApplicationId);
    core::CFPreferencesAppSynchronize(kApplicationId);
}

std::optional<bool> BackboardPreferences::storedAutoBrightness() {
    bool valid = false;
    const bool enabled =
        core::CFPreferencesGetAppBooleanValue(kAutoBrightnessKey, kApplicationId, &valid);
    if (!valid) return std::nullopt;
    return enabled;
}

}  // namespace services
