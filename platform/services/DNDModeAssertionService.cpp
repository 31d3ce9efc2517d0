#include "services/DNDModeAssertionService.h"

#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "services/DNDModeAssertion.h"
#include "services/DNDModeAssertionDetails.h"

namespace services {

namespace {

void recordCall(std::string message) {
    device::Phone::shared().recordCall(DNDModeAssertionService::kClassName, std::move(message));
}

device::Actor serviceActor(rt::Object* self) {
    return device::Actor::service("Do Not Disturb service for " +
                                  static_cast<DNDModeAssertionService*>(self)->clientIdentifier());
}

rt::Ref<rt::Object> serviceForClientIdentifier(const std::string& clientIdentifier) {
    recordCall("serviceForClientIdentifier: " + clientIdentifier);
    return rt::make<DNDModeAssertionService>(clientIdentifier);
}

// An assertion needs details; without them it is refused (null) and nothing changes.
rt::Ref<rt::Object> takeModeAssertion(rt::Object* self, rt::Selector, rt::Object* details,
                                      rt::Object*) {
    const auto* assertionDetails = rt::cast<DNDModeAssertionDetails>(details);
    recordCall("takeModeAssertionWithDetails:error: " +
               (assertionDetails ? assertionDetails->modeIdentifier() : std::string("nil")));
    if (!assertionDetails) return nullptr;
    device::Phone::shared().setSwitch(device::Switch::Dnd, true, serviceActor(self));
    if (!rt::lookUpClass(DNDModeAssertion::kClassName)) return nullptr;
    return rt::make<DNDModeAssertion>(rt::retained(details));
}

bool invalidateAllActiveModeAssertions(rt::Object* self, rt::Selector, rt::Object*) {
    recordCall("invalidateAllActiveModeAssertionsWithError:");
    device::Phone::shared().setSwitch(device::Switch::Dnd, false, serviceActor(self));
    return true;
}

}  // namespace

void DNDModeAssertionService::registerRuntimeClass(
    const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<DNDModeAssertionService>(configuration);
    if (!cls) return;
    rt::addClassMethods(cls,
                        {rt::bind<&serviceForClientIdentifier>("serviceForClientIdentifier:")});
    rt::addMethods(cls, {
                            rt::bind<&takeModeAssertion>("takeModeAssertionWithDetails:error:"),
                            rt::bind<&invalidateAllActiveModeAssertions>(
                                "invalidateAllActiveModeAssertionsWithError:"),
                        });
}

}  // namespace services
