#include "services/RadiosPreferences.h"

#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace services {

namespace {

void recordCall(std::string message) {
    device::Phone::shared().recordCall(RadiosPreferences::kClassName, std::move(message));
}

bool airplaneMode() {
    recordCall("airplaneMode");
    return device::Phone::shared().isOn(device::Switch::Airplane);
}

void setAirplaneMode(bool enabled) {
    recordCall("setAirplaneMode: " + device::argumentText(enabled));
    device::Phone::shared().setSwitch(device::Switch::Airplane, enabled,
                                      device::Actor::service("radios preferences"));
}

void synchronize() {
    recordCall("synchronize");
}

}  // namespace

void RadiosPreferences::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<RadiosPreferences>(configuration);
    if (!cls) return;
    rt::addMethods(cls, {
                            rt::bind<&airplaneMode>("airplaneMode"),
                            rt::bind<&setAirplaneMode>("setAirplaneMode:"),
                            rt::bind<&synchronize>("synchronize"),
                        });
}

}  // namespace services
