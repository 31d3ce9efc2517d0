#pragma once

#include <string>

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace services {

// The Do Not Disturb service of one client: taking a mode assertion turns Do Not Disturb
// on; invalidating all active assertions turns it off.
class DNDModeAssertionService : public rt::Object {
  public:
    static constexpr const char* kClassName = "DNDModeAssertionService";

    DNDModeAssertionService() = default;
    explicit DNDModeAssertionService(std::string clientIdentifier)
        : _clientIdentifier(std::move(clientIdentifier)) {}

    const std::string& clientIdentifier() const { return _clientIdentifier; }

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    std::string _clientIdentifier;
};

}  // namespace services
