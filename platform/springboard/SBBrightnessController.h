#pragma once

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace springboard {

// The home screen's brightness controller: sets the screen's brightness, with or without
// the brightness overlay.
class SBBrightnessController : public rt::Object {
  public:
    static constexpr const char* kClassName = "SBBrightnessController";

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace springboard
