#pragma once

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace services {

// The location framework's manager; its class methods read and set location services.
class CLLocationManager : public rt::Object {
  public:
    static constexpr const char* kClassName = "CLLocationManager";

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace services
