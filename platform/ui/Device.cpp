#include "ui/Device.h"

#include "device/Phone.h"
#include "device/SharedInstance.h"
#include "rt/Runtime.h"

namespace ui {

rt::Ref<Device> Device::currentDevice() {
    return rt::cast<Device>(device::SharedInstance::of(rt::lookUpClass(kClassName)));
}

std::string Device::systemVersion() const {
    return device::Phone::shared().systemVersion();
}

}  // namespace ui
