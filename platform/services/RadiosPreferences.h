#pragma once

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace services {

// The radios' preferences: airplane mode. A change takes effect at once; synchronize
// commits it (there is nothing left to commit then, but the call is recorded).
class RadiosPreferences : public rt::Object {
  public:
    static constexpr const char* kClassName = "RadiosPreferences";

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace services
