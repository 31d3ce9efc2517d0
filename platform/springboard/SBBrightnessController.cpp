#include "springboard/SBBrightnessController.h"

#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "device/SharedInstance.h"
#include "rt/Messaging.h"

namespace springboard {

namespace {

rt::Ref<rt::Object> sharedBrightnessController(rt::Object* self, rt::Selector) {
    return device::SharedInstance::of(static_cast<rt::Class*>(self));
}

void setBrightnessLevel(rt::Object*, rt::Selector, float level, bool showHUD) {
    device::Phone::shared().recordCall(
        SBBrightnessController::kClassName,
        "_setBrightnessLevel:showHUD: " + device::argumentText(level) + " " +
            device::argumentText(showHUD));
    device::Phone::shared().setBrightness(
        level, device::Actor::service("brightness controller"),
        showHUD ? device::Phone::Overlay::Shown : device::Phone::Overlay::Hidden);
}

}  // namespace

void SBBrightnessController::registerRuntimeClass(
    const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<SBBrightnessController>(configuration);
    if (!cls) return;
    rt::addClassMethod(cls, rt::sel("sharedBrightnessController"), &sharedBrightnessController);
    rt::addMethod(cls, rt::sel("_setBrightnessLevel:showHUD:"), &setBrightnessLevel);
}

}  // namespace springboard
