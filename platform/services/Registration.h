#pragma once

#include "device/DeviceConfiguration.h"

namespace services {

// Registers the runtime classes of the system services in the current world, leaving out
// those the configuration names.
void registerClasses(const device::DeviceConfiguration& configuration);

}  // namespace services
