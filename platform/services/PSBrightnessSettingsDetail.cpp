#include "services/PSBrightnessSettingsDetail.h"

#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace services {

namespace {

double currentValue() {
    device::Phone::shared().recordCall(PSBrightnessSettingsDetail::kClassName, "currentValue");
    return device::Phone::shared().brightness();
}

}  // namespace

void PSBrightnessSettingsDetail::registerRuntimeClass(
    const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<PSBrightnessSettingsDetail>(configuration);
    if (!cls) return;
    rt::addClassMethods(cls, {rt::bind<&currentValue>("currentValue")});
}

}  // namespace services
