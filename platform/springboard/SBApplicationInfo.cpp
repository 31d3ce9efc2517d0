#include "springboard/SBApplicationInfo.h"

#include "device/ClassRegistration.h"
#include "rt/Fields.h"
#include "rt/Messaging.h"

namespace springboard {

namespace {

std::string bundleIdentifier(rt::Object* self, rt::Selector) {
    const auto* identifier = rt::fieldPointer<std::string>(self, "_bundleIdentifier");
    return identifier ? *identifier : std::string();
}

}  // namespace

void SBApplicationInfo::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<SBApplicationInfo>(configuration);
    if (!cls) return;
    rt::declareField(cls, "_bundleIdentifier", &SBApplicationInfo::_bundleIdentifier);
    rt::addMethod(cls, rt::sel("bundleIdentifier"), &bundleIdentifier);
}

}  // namespace springboard
