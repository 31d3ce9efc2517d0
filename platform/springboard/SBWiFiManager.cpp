#include "springboard/SBWiFiManager.h"

#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "rt/MethodBinding.h"

namespace springboard {

bool SBWiFiManager::wiFiEnabled() {
    recordCall("wiFiEnabled");
    return device::Phone::shared().isOn(device::Switch::Wifi);
}

void SBWiFiManager::setWiFiEnabled(bool enabled) {
    recordCall("setWiFiEnabled: " + device::argumentText(enabled));
    device::Phone::shared().setSwitch(device::Switch::Wifi, enabled,
                                      device::Actor::service("Wi-Fi manager"));
}

void SBWiFiManager::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<SBWiFiManager>(configuration);
    if (!cls) return;
    rt::addClassMethods(cls, {rt::bind<&sharedInstance>("sharedInstance")});
    rt::addMethods(cls, {
                            rt::bind<&SBWiFiManager::wiFiEnabled>("wiFiEnabled"),
                            rt::bind<&SBWiFiManager::setWiFiEnabled>("setWiFiEnabled:"),
                        });
}

}  // namespace springboard
