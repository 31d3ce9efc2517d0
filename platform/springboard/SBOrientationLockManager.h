#pragma once

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace springboard {

// The home screen's orientation lock manager: whether the user locked the orientation.
class SBOrientationLockManager : public rt::Object {
  public:
    static constexpr const char* kClassName = "SBOrientationLockManager";

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace springboard
