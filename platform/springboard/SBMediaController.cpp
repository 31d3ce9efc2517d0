#include "springboard/SBMediaController.h"

#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "rt/MethodBinding.h"

namespace springboard {

float SBMediaController::volume() {
    recordCall("volume");
    return device::Phone::shared().volume();
}

void SBMediaController::setVolume(float level) {
    recordCall("setVolume: " + device::argumentText(level));
    device::Phone::shared().setVolume(
        level, device::Actor::service("media controller"),
        suppressesHUD() ? device::Phone::Overlay::Hidden : device::Phone::Overlay::Shown);
}

void SBMediaController::setSuppressHUD(bool suppress) {
    recordCall("setSuppressHUD: " + device::argumentText(suppress));
    _suppressHUD.store(suppress);
}

void SBMediaController::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<SBMediaController>(configuration);
    if (!cls) return;
    rt::addClassMethods(cls, {rt::bind<&sharedInstance>("sharedInstance")});
    rt::addMethods(cls, {
                            rt::bind<&SBMediaController::volume>("volume"),
                            rt::bind<&SBMediaController::setVolume>("setVolume:"),
                            rt::bind<&SBMediaController::setSuppressHUD>("setSuppressHUD:"),
                        });
}

}  // namespace springboard
