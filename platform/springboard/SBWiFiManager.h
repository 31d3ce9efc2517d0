#pragma once

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace springboard {

// The home screen's Wi-Fi manager: the Wi-Fi switch.
class SBWiFiManager : public rt::Object {
  public:
    static constexpr const char* kClassName = "SBWiFiManager";

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace springboard
