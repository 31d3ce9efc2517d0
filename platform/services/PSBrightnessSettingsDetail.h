#pragma once

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace services {

// The settings layer's view of the display: +currentValue is the screen's brightness.
class PSBrightnessSettingsDetail : public rt::Object {
  public:
    static constexpr const char* kClassName = "PSBrightnessSettingsDetail";

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace services
