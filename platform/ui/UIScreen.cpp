#include "ui/UIScreen.h"

#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "device/SharedInstance.h"
#include "rt/Messaging.h"

namespace ui {

namespace {

rt::Ref<rt::Object> mainScreen(rt::Object* self, rt::Selector) {
    return device::SharedInstance::of(static_cast<rt::Class*>(self));
}

double brightness(rt::Object*, rt::Selector) {
    return device::Phone::shared().brightness();
}

}  // namespace

void UIScreen::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<UIScreen>(configuration);
    if (!cls) return;
    rt::addClassMethod(cls, rt::sel("mainScreen"), &mainScreen);
    rt::addMethod(cls, rt::sel("brightness"), &brightness);
}

}  // namespace ui
