#include "ui/Application.h"

#include "device/Phone.h"
#include "device/SharedInstance.h"
#include "rt/Make.h"
#include "rt/Runtime.h"

namespace ui {

rt::Ref<Application> Application::sharedApplication() {
    return rt::cast<Application>(device::SharedInstance::of(rt::lookUpClass(kClassName)));
}

long Application::userInterfaceLayoutDirection() const {
    if (_layoutDirection) return *_layoutDirection;
    return device::Phone::shared().layoutDirection() == device::LayoutDirection::RightToLeft
               ? kRightToLeft
               : kLeftToRight;
}

}  // namespace ui
