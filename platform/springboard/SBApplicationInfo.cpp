#include "springboard/SBApplicationInfo.h"

#include "device/ClassRegistration.h"
#include "rt/Fields.h"
#include "rt/MethodBinding.h"

namespace springboard {

void SBApplicationInfo::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<SBApplicationInfo>(configuration);
    if (!cls) return;
    rt::declareField(cls, "_bundleIdentifier", &SBApplicationInfo::_bundleIdentifier);
    rt::addMethods(cls, {rt::bind<&SBApplicationInfo::bundleIdentifier>("bundleIdentifier")});
}

}  // namespace springboard
