#include "springboard/FBProcess.h"

#include "device/ClassRegistration.h"
#include "rt/Fields.h"
#include "rt/MethodBinding.h"

namespace springboard {

void FBProcess::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<FBProcess>(configuration);
    if (!cls) return;
    rt::declareField(cls, "_bundleIdentifier", &FBProcess::_bundleIdentifier);
    rt::addMethods(cls, {rt::bind<&FBProcess::bundleIdentifier>("bundleIdentifier")});
}

}  // namespace springboard
