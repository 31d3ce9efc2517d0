#include "services/SystemWorld.h"

#include "core/notify/NotifyCenter.h"
#include "device/Phone.h"
#include "rt/Runtime.h"
#include "services/Registration.h"
#include "ui/Toolkit.h"

namespace services {

void SystemWorld::boot(const device::DeviceConfiguration& configuration, bool keepPhoneState) {
    rt::Runtime::reset();
    if (!keepPhoneState) device::Phone::boot(configuration);
    ui::registerClasses(configuration);
    registerClasses(configuration);
    core::NotifyCenter::darwin().reset();
}

}  // namespace services
