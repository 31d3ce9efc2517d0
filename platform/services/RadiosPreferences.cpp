#include "services/RadiosPreferences.h"

#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "rt/Messaging.h"

namespace services {

namespace {

void recordCall(std::string message) {
    device::Phone::shared().recordCall(RadiosPreferences::kClassName, std::move(message));
}

bool airplaneMode(rt::Object*, rt::Selector) {
    recordCall("airplaneMode");
    return device::Phone::shared().isOn(device::Switch::Airplane);
}

void setAirplaneMode(rt::Object*, rt::Selector, bool enabled) {
    recordCall("setAirplaneMode: " + device::argumentText(enabled));
    device::Phone::shared().setSwitch(device::Switch::Airplane, enabled,
                                      device::Actor::service("radios preferences"));
}

void synchronize(rt::Object*, rt::Selector) {
    recordCall("synchronize");
}

}  // namespace

void RadiosPreferences::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<RadiosPreferences>(configuration);
    if (!cls) return;
    rt::addMethod(cls, rt::sel("airplaneMode"), &airplaneMode);
    rt::addMethod(cls, rt::sel("setAirplaneMode:"), &setAirplaneMode);
    rt::addMethod(cls, rt::sel("synchronize"), &synchronize);
}

}  // namespace services
