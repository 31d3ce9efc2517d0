#pragma once

#include "device/DeviceConfiguration.h"
#include "device/ServiceStub.h"

namespace services {

// The radios' preferences: airplane mode. A change takes effect at once; synchronize
// commits it (there is nothing left to commit then, but the call is recorded).
class RadiosPreferences : public device::ServiceStub<RadiosPreferences> {
  public:
    static constexpr const char* kClassName = "RadiosPreferences";

    bool airplaneMode();
    void setAirplaneMode(bool enabled);
    void synchronize();

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace services
