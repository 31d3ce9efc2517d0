#include "services/DNDModeAssertionDetails.h"

#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace services {

namespace {

rt::Ref<rt::Object> userRequestedAssertionDetails(const std::string& identifier,
                                                  const std::string& modeIdentifier,
                                                  rt::Object* lifetime) {
    device::Phone::shared().recordCall(
        DNDModeAssertionDetails::kClassName,
        "userRequestedAssertionDetailsWithIdentifier:modeIdentifier:lifetime: " + identifier + " " +
            modeIdentifier + (lifetime ? " lifetime" : " nil"));
    return rt::make<DNDModeAssertionDetails>(identifier, modeIdentifier, rt::retained(lifetime));
}

std::string identifierMethod(rt::Object* self, rt::Selector) {
    return static_cast<DNDModeAssertionDetails*>(self)->identifier();
}

std::string modeIdentifierMethod(rt::Object* self, rt::Selector) {
    return static_cast<DNDModeAssertionDetails*>(self)->modeIdentifier();
}

}  // namespace

void DNDModeAssertionDetails::registerRuntimeClass(
    const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<DNDModeAssertionDetails>(configuration);
    if (!cls) return;
    rt::addClassMethods(
        cls, {rt::bind<&userRequestedAssertionDetails>(
                 "userRequestedAssertionDetailsWithIdentifier:modeIdentifier:lifetime:")});
    rt::addMethods(cls, {
                            rt::bind<&identifierMethod>("identifier"),
                            rt::bind<&modeIdentifierMethod>("modeIdentifier"),
                        });
}

}  // namespace services
