#pragma once

#include <string>

#include "device/DeviceConfiguration.h"
#include "device/ServiceStub.h"

namespace services {

// The Do Not Disturb service of one client: taking a mode assertion turns Do Not Disturb
// on; invalidating all active assertions turns it off.
class DNDModeAssertionService : public device::ServiceStub<DNDModeAssertionService> {
  public:
    static constexpr const char* kClassName = "DNDModeAssertionService";

    DNDModeAssertionService() = default;
    explicit DNDModeAssertionService(std::string clientIdentifier)
        : _clientIdentifier(std::move(clientIdentifier)) {}

    const std::string& clientIdentifier() const { return _clientIdentifier; }

    // "serviceForClientIdentifier:"
    static rt::Ref<DNDModeAssertionService> serviceForClientIdentifier(
        const std::string& clientIdentifier);
    // "takeModeAssertionWithDetails:error:": an assertion needs details; without them it is
    // refused (null) and nothing changes.
    rt::Ref<rt::Object> takeModeAssertionWithDetails(rt::Object* details, rt::Object* error);
    // "invalidateAllActiveModeAssertionsWithError:"
    bool invalidateAllActiveModeAssertionsWithError(rt::Object* error);

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    device::Actor actor() const;

    std::string _clientIdentifier;
};

}  // namespace services
