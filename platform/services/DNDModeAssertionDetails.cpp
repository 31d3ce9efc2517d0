#include "services/DNDModeAssertionDetails.h"

#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "rt/MethodBinding.h"

namespace services {

namespace {

rt::Ref<rt::Object> userRequestedAssertionDetailsWithIdentifier(const std::string& identifier,
                                                                const std::string& modeIdentifier,
                                                                rt::Object* lifetime) {
    device::Phone::shared().recordCall(
        DNDModeAssertionDetails::kClassName,
        "userRequestedAssertionDetailsWithIdentifier:modeIdentifier:lifetime: " + identifier + " " +
            modeIdentifier + (lifetime ? " lifetime" : " nil"));
    return rt::make<DNDModeAssertionDetails>(identifier, modeIdentifier, rt::retained(lifetime));
}

}  // namespace

void DNDModeAssertionDetails::registerRuntimeClass(
    const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<DNDModeAssertionDetails>(configuration);
    if (!cls) return;
    rt::addClassMethods(
        cls, {rt::bind<&userRequestedAssertionDetailsWithIdentifier>(
                 "userRequestedAssertionDetailsWithIdentifier:modeIdentifier:lifetime:")});
    rt::addMethods(cls, {
                            rt::bind<&DNDModeAssertionDetails::identifier>("identifier"),
                            rt::bind<&DNDModeAssertionDetails::modeIdentifier>("modeIdentifier"),
                        });
}

}  // namespace services
