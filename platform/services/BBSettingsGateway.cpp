#include "services/BBSettingsGateway.h"

#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace services {

namespace {

// Any status other than 0 or 1 is not a behaviour the gateway knows; it changes nothing.
void setBehaviorOverrideStatus(long long status) {
    device::Phone::shared().recordCall(
        BBSettingsGateway::kClassName,
        "setBehaviorOverrideStatus: " + device::argumentText(status));
    if (status != 0 && status != 1) return;
    device::Phone::shared().setSwitch(device::Switch::Dnd, status == 1,
                                      device::Actor::service("notification settings gateway"));
}

}  // namespace

void BBSettingsGateway::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<BBSettingsGateway>(configuration);
    if (!cls) return;
    rt::addMethods(cls, {rt::bind<&setBehaviorOverrideStatus>("setBehaviorOverrideStatus:")});
}

}  // namespace services
