#include "services/GraphicsServices.h"

#include "device/Phone.h"
#include "services/BackboardPreferences.h"

namespace services {

void GSSendAppPreferencesChanged(const std::string& applicationId, const std::string& key) {
    device::Phone& phone = device::Phone::shared();
    phone.recordCall(kGraphicsServicesName,
                     "GSSendAppPreferencesChanged " + applicationId + " " + key);
    if (applicationId != BackboardPreferences::kApplicationId ||
        key != BackboardPreferences::kAutoBrightnessKey) {
        return;
    }
    if (const auto enabled = BackboardPreferences::storedAutoBrightness()) {
        phone.setSwitch(device::Switch::AutoBrightness, *enabled,
                        device::Actor::service("backboardd"));
    }
}

}  // namespace services
