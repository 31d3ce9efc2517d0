#pragma once

#include <string>

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"
#include "rt/Ref.h"

namespace services {

// What a Do Not Disturb assertion asks for: who asks, which mode, for how long (no
// lifetime: until it is invalidated).
class DNDModeAssertionDetails : public rt::Object {
  public:
    static constexpr const char* kClassName = "DNDModeAssertionDetails";

    DNDModeAssertionDetails() = default;
    DNDModeAssertionDetails(std::string identifier, std::string modeIdentifier,
                            rt::Ref<rt::Object> lifetime)
        : _identifier(std::move(identifier)),
          _modeIdentifier(std::move(modeIdentifier)),
          _lifetime(std::move(lifetime)) {}

    const std::string& identifier() const { return _identifier; }
    const std::string& modeIdentifier() const { return _modeIdentifier; }

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    std::string _identifier;
    std::string _modeIdentifier;
    rt::Ref<rt::Object> _lifetime;
};

}  // namespace services
