#include "services/Telephony.h"

#include "device/CallText.h"
#include "device/Phone.h"

namespace services {

bool CTCellularDataPlanGetIsEnabled() {
    device::Phone::shared().recordCall(kTelephonyServiceName, "CTCellularDataPlanGetIsEnabled");
    return device::Phone::shared().isOn(device::Switch::Cellular);
}

void CTCellularDataPlanSetIsEnabled(bool enabled) {
    device::Phone::shared().recordCall(
        kTelephonyServiceName, "CTCellularDataPlanSetIsEnabled " + device::argumentText(enabled));
    device::Phone::shared().setSwitch(device::Switch::Cellular, enabled,
                                      device::Actor::service("telephony"));
}

}  // namespace services
