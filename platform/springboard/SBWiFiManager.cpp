#include "springboard/SBWiFiManager.h"

#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "device/SharedInstance.h"
#include "rt/Messaging.h"

namespace springboard {

namespace {

rt::Ref<rt::Object> sharedInstance(rt::Object* self, rt::Selector) {
    return device::SharedInstance::of(static_cast<rt::Class*>(self));
}

bool wiFiEnabled(rt::Object*, rt::Selector) {
    device::Phone::shared().recordCall(SBWiFiManager::kClassName, "wiFiEnabled");
    return device::Phone::shared().isOn(device::Switch::Wifi);
}

void setWiFiEnabled(rt::Object*, rt::Selector, bool enabled) {
    device::Phone::shared().recordCall(SBWiFiManager::kClassName,
                                       "setWiFiEnabled: " + device::argumentText(enabled));
    device::Phone::shared().setSwitch(device::Switch::Wifi, enabled,
                                      device::Actor::service("Wi-Fi manager"));
}

}  // namespace

void SBWiFiManager::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<SBWiFiManager>(configuration);
    if (!cls) return;
    rt::addClassMethod(cls, rt::sel("sharedInstance"), &sharedInstance);
    rt::addMethod(cls, rt::sel("wiFiEnabled"), &wiFiEnabled);
    rt::addMethod(cls, rt::sel("setWiFiEnabled:"), &setWiFiEnabled);
}

}  // namespace springboard
