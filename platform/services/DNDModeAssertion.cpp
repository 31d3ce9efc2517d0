#include "services/DNDModeAssertion.h"

#include "device/ClassRegistration.h"
#include "rt/Fields.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace services {

namespace {

rt::Ref<rt::Object> details(rt::Object* self, rt::Selector) {
    return static_cast<DNDModeAssertion*>(self)->assertionDetails();
}

}  // namespace

void DNDModeAssertion::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<DNDModeAssertion>(configuration);
    if (!cls) return;
    rt::declareField(cls, "_details", &DNDModeAssertion::_details);
    rt::addMethods(cls, {rt::bind<&details>("details")});
}

}  // namespace services
