#include "services/RadiosPreferences.h"

#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "rt/MethodBinding.h"

namespace services {

bool RadiosPreferences::airplaneMode() {
    recordCall("airplaneMode");
    return device::Phone::shared().isOn(device::Switch::Airplane);
}

void RadiosPreferences::setAirplaneMode(bool enabled) {
    recordCall("setAirplaneMode: " + device::argumentText(enabled));
    device::Phone::shared().setSwitch(device::Switch::Airplane, enabled,
                                      device::Actor::service("radios preferences"));
}

void RadiosPreferences::synchronize() {
    recordCall("synchronize");
}

void RadiosPreferences::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<RadiosPreferences>(configuration);
    if (!cls) return;
    rt::addMethods(cls, {
                            rt::bind<&RadiosPreferences::airplaneMode>("airplaneMode"),
                            rt::bind<&RadiosPreferences::setAirplaneMode>("setAirplaneMode:"),
                            rt::bind<&RadiosPreferences::synchronize>("synchronize"),
                        });
}

}  // namespace services
