#include "services/CLLocationManager.h"

#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace services {

namespace {

bool locationServicesEnabled() {
    device::Phone::shared().recordCall(CLLocationManager::kClassName, "locationServicesEnabled");
    return device::Phone::shared().isOn(device::Switch::Location);
}

void setLocationServicesEnabled(bool enabled) {
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
    rt::addClassMethods(cls,
                        {
                            rt::bind<&locationServicesEnabled>("locationServicesEnabled"),
                            rt::bind<&setLocationServicesEnabled>("setLocationServicesEnabled:"),
                        });
}

}  // namespace services
