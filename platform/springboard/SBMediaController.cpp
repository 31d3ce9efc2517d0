#include "springboard/SBMediaController.h"

#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "device/SharedInstance.h"
#include "rt/Messaging.h"

namespace springboard {

namespace {

void recordCall(std::string message) {
    device::Phone::shared().recordCall(SBMediaController::kClassName, std::move(message));
}

rt::Ref<rt::Object> sharedInstance(rt::Object* self, rt::Selector) {
    return device::SharedInstance::of(static_cast<rt::Class*>(self));
}

float volume(rt::Object*, rt::Selector) {
    recordCall("volume");
    return device::Phone::shared().volume();
}

void setVolume(rt::Object* self, rt::Selector, float level) {
    recordCall("setVolume: " + device::argumentText(level));
    const auto* controller = rt::cast<SBMediaController>(self);
    const bool suppressed = controller && controller->suppressesHUD();
    device::Phone::shared().setVolume(
        level, device::Actor::service("media controller"),
        suppressed ? device::Phone::Overlay::Hidden : device::Phone::Overlay::Shown);
}

void setSuppressHUD(rt::Object* self, rt::Selector, bool suppress) {
    recordCall("setSuppressHUD: " + device::argumentText(suppress));
    if (auto* controller = rt::cast<SBMediaController>(self))
        controller->setSuppressesHUD(suppress);
}

}  // namespace

void SBMediaController::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<SBMediaController>(configuration);
    if (!cls) return;
    rt::addClassMethod(cls, rt::sel("sharedInstance"), &sharedInstance);
    rt::addMethod(cls, rt::sel("volume"), &volume);
    rt::addMethod(cls, rt::sel("setVolume:"), &setVolume);
    rt::addMethod(cls, rt::sel("setSuppressHUD:"), &setSuppressHUD);
}

}  // namespace springboard
