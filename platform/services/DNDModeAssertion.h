#pragma once

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"
#include "rt/Ref.h"

namespace services {

// A Do Not Disturb assertion that a client took, holding the details it was taken with.
class DNDModeAssertion : public rt::Object {
  public:
    static constexpr const char* kClassName = "DNDModeAssertion";

    explicit DNDModeAssertion(rt::Ref<rt::Object> details) : _details(std::move(details)) {}

    const rt::Ref<rt::Object>& details() const { return _details; }

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    rt::Ref<rt::Object> _details;
};

}  // namespace services
