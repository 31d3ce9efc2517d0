#pragma once

#include "device/DeviceConfiguration.h"

namespace services {

// The world every host process of the phone starts from: a fresh runtime holding the
// toolkit's and the system services' classes (those the configuration does not leave out),
// the phone under it, and no notification observers. The home screen and the Settings app
// boot it and add their own classes on top. Main thread.
class SystemWorld {
  public:
    // Without keepPhoneState the phone is booted fresh as configured; with it (a respring)
    // the phone stays as it is.
    static void boot(const device::DeviceConfiguration& configuration, bool keepPhoneState);
};

}  // namespace services
