#include "springboard/FBProcess.h"

#include "device/ClassRegistration.h"
#include "rt/Fields.h"
#include "rt/Messaging.h"

namespace springboard {

namespace {

std::string bundleIdentifierMethod(rt::Object* self, rt::Selector) {
    return static_cast<FBProcess*>(self)->bundleIdentifier();
}

}  // namespace

void FBProcess::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<FBProcess>(configuration);
    if (!cls) return;
    rt::declareField(cls, "_bundleIdentifier", &FBProcess::_bundleIdentifier);
    rt::addMethod(cls, rt::sel("bundleIdentifier"), &bundleIdentifierMethod);
}

}  // namespace springboard
