#include "ui/UIScreen.h"

#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "device/SharedInstance.h"
#include "rt/Make.h"
#include "rt/MethodBinding.h"

namespace ui {

namespace {

rt::Ref<rt::Object> mainScreen() {
    return device::SharedInstance::of(rt::classOf<UIScreen>());
}

double brightness() {
    return device::Phone::shared().brightness();
}

}  // namespace

void UIScreen::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<UIScreen>(configuration);
    if (!cls) return;
    rt::addClassMethods(cls, {rt::bind<&mainScreen>("mainScreen")});
    rt::addMethods(cls, {rt::bind<&brightness>("brightness")});
}

}  // namespace ui
