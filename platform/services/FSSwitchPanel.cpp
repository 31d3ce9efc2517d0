#include "services/FSSwitchPanel.h"

#include "core/preferences/AppPreferences.h"
#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "rt/MethodBinding.h"
#include "services/BackboardPreferences.h"
#include "services/SwitchIdentifiers.h"

namespace services {

namespace {

const device::Actor& panelActor() {
    static const device::Actor actor = device::Actor::service("switch panel");
    return actor;
}

}  // namespace

rt::Ref<FSSwitchPanel> FSSwitchPanel::sharedPanel() {
    recordCall("sharedPanel");
    return sharedInstance();
}

long long FSSwitchPanel::stateForSwitchIdentifier(const std::string& fullIdentifier) {
    recordCall("stateForSwitchIdentifier: " + fullIdentifier);
    const auto which = SwitchIdentifiers::switchFor(fullIdentifier);
    if (!which) return FSSwitchPanel::kStateOff;
    switch (device::Phone::shared().switchState(*which)) {
        case device::SwitchState::Off:
            return FSSwitchPanel::kStateOff;
        case device::SwitchState::On:
            return FSSwitchPanel::kStateOn;
        case device::SwitchState::Indeterminate:
            return FSSwitchPanel::kStateIndeterminate;
    }
    return FSSwitchPanel::kStateOff;
}

void FSSwitchPanel::setState(long long state, const std::string& fullIdentifier) {
    recordCall("setState:forSwitchIdentifier: " + device::argumentText(state) + " " +
               fullIdentifier);
    const auto which = SwitchIdentifiers::switchFor(fullIdentifier);
    if (!which || (state != FSSwitchPanel::kStateOff && state != FSSwitchPanel::kStateOn)) return;
    const bool on = state == FSSwitchPanel::kStateOn;
    if (*which == device::Switch::AutoBrightness) BackboardPreferences::storeAutoBrightness(on);
    device::Phone::shared().setSwitch(*which, on, panelActor());
}

void FSSwitchPanel::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<FSSwitchPanel>(configuration);
    if (!cls) return;
    rt::addClassMethods(cls, {rt::bind<&sharedPanel>("sharedPanel")});
    rt::addMethods(
        cls, {
                 rt::bind<&FSSwitchPanel::stateForSwitchIdentifier>("stateForSwitchIdentifier:"),
                 rt::bind<&FSSwitchPanel::setState>("setState:forSwitchIdentifier:"),
             });
}

}  // namespace services
