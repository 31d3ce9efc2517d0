#include "services/DNDModeAssertionService.h"

#include "device/ClassRegistration.h"
#include "rt/MethodBinding.h"
#include "services/DNDModeAssertion.h"
#include "services/DNDModeAssertionDetails.h"

namespace services {

device::Actor DNDModeAssertionService::actor() const {
    return device::Actor::service("Do Not Disturb service for " + _clientIdentifier);
}

rt::Ref<DNDModeAssertionService> DNDModeAssertionService::serviceForClientIdentifier(
    const std::string& clientIdentifier) {
    recordCall("serviceForClientIdentifier: " + clientIdentifier);
    return rt::make<DNDModeAssertionService>(clientIdentifier);
}

rt::Ref<rt::Object> DNDModeAssertionService::takeModeAssertionWithDetails(rt::Object* details,
                                                                          rt::Object*) {
    const auto* assertionDetails = rt::cast<DNDModeAssertionDetails>(details);
    recordCall("takeModeAssertionWithDetails:error: " +
               (assertionDetails ? assertionDetails->modeIdentifier() : std::string("nil")));
    if (!assertionDetails) return nullptr;
    device::Phone::shared().setSwitch(device::Switch::Dnd, true, actor());
    if (!rt::lookUpClass(DNDModeAssertion::kClassName)) return nullptr;
    return rt::make<DNDModeAssertion>(rt::retained(details));
}

bool DNDModeAssertionService::invalidateAllActiveModeAssertionsWithError(rt::Object*) {
    recordCall("invalidateAllActiveModeAssertionsWithError:");
    device::Phone::shared().setSwitch(device::Switch::Dnd, false, actor());
    return true;
}

void DNDModeAssertionService::registerRuntimeClass(
    const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<DNDModeAssertionService>(configuration);
    if (!cls) return;
    rt::addClassMethods(cls,
                        {rt::bind<&serviceForClientIdentifier>("serviceForClientIdentifier:")});
    rt::addMethods(
        cls, {
                 rt::bind<&DNDModeAssertionService::takeModeAssertionWithDetails>(
                     "takeModeAssertionWithDetails:error:"),
                 rt::bind<&DNDModeAssertionService::invalidateAllActiveModeAssertionsWithError>(
                     "invalidateAllActiveModeAssertionsWithError:"),
             });
}

}  // namespace services
