#pragma once

#include "device/DeviceConfiguration.h"
#include "device/ServiceStub.h"

namespace springboard {

// The home screen's orientation lock manager: whether the user locked the orientation.
// Class method "sharedInstance"; instance methods "isUserLocked", "lock", "unlock".
class SBOrientationLockManager : public device::ServiceStub<SBOrientationLockManager> {
  public:
    static constexpr const char* kClassName = "SBOrientationLockManager";

    bool isUserLocked();
    void lock();
    void unlock();

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace springboard
