#include "services/CLLocationManager.h"

#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "rt/Messaging.h"

namespace services {

namespace {

bool locationServicesEnabled(rt::Object*, rt::Selector) {
    device::Phone::shared().recordCall(CLLocationManager::kClassName, "locationServicesEnabled");
    return device::Phone::shared().isOn(device::Switch::Location);
}

void setLocationServicesEnabled(rt::Object*, rt::Selector, bool enabled) {
    device::Phone::shared().recordCall(
        CLLocationManager::kClassName,
        "setLocationServicesEnabled: " + device::argumentText(enabled));
    device::Phone::shared().setSwitch(device::Switch::Location, enabled,
                                      device::Actor::service("location manager"));
}

}  // namespace

void CLLocationManager::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<CLLocationManager>(configuration);
    if (!cls) return;
    rt::addClassMethod(cls, rt::sel("locationServicesEnabled"), &locationServicesEnabled);
    rt::addClassMethod(cls, rt::sel("setLocationServicesEnabled:"), &setLocationServicesEnabled);
}

}  // namespace services
