#include "services/DNDModeAssertion.h"

#include "device/ClassRegistration.h"
#include "rt/Fields.h"
#include "rt/MethodBinding.h"

namespace services {

void DNDModeAssertion::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<DNDModeAssertion>(configuration);
    if (!cls) return;
    rt::declareField(cls, "_details", &DNDModeAssertion::_details);
    rt::addMethods(cls, {rt::bind<&DNDModeAssertion::details>("details")});
}

}  // namespace services
