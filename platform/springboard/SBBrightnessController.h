#pragma once

#include "device/DeviceConfiguration.h"
#include "device/ServiceStub.h"

namespace springboard {

// The home screen's brightness controller: sets the screen's brightness, with or without
// the brightness overlay. Class method "sharedBrightnessController"; instance method
// "_setBrightnessLevel:showHUD:" (float, bool).
class SBBrightnessController : public device::ServiceStub<SBBrightnessController> {
  public:
    static constexpr const char* kClassName = "SBBrightnessController";

    static rt::Ref<SBBrightnessController> sharedBrightnessController() { return sharedInstance(); }
    void setBrightnessLevel(float level, bool showHUD);

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace springboard
