#include "springboard/SBBrightnessController.h"

#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "rt/MethodBinding.h"

namespace springboard {

void SBBrightnessController::setBrightnessLevel(float level, bool showHUD) {
    recordCall("_setBrightnessLevel:showHUD: " + device::argumentText(level) + " " +
               device::argumentText(showHUD));
    device::Phone::shared().setBrightness(
        level, device::Actor::service("brightness controller"),
        showHUD ? device::Phone::Overlay::Shown : device::Phone::Overlay::Hidden);
}

void SBBrightnessController::registerRuntimeClass(
    const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<SBBrightnessController>(configuration);
    if (!cls) return;
    rt::addClassMethods(cls, {rt::bind<&sharedBrightnessController>("sharedBrightnessController")});
    rt::addMethods(
        cls,
        {rt::bind<&SBBrightnessController::setBrightnessLevel>("_setBrightnessLevel:showHUD:")});
}

}  // namespace springboard
