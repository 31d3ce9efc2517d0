#pragma once

#include "device/DeviceConfiguration.h"
#include "device/ServiceStub.h"

namespace springboard {

// The home screen's Wi-Fi manager: the Wi-Fi switch. Class method "sharedInstance"; instance
// methods "wiFiEnabled", "setWiFiEnabled:".
class SBWiFiManager : public device::ServiceStub<SBWiFiManager> {
  public:
    static constexpr const char* kClassName = "SBWiFiManager";

    bool wiFiEnabled();
    void setWiFiEnabled(bool enabled);

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace springboard
