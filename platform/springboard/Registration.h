#pragma once

#include "device/DeviceConfiguration.h"

namespace springboard {

// Registers the home screen's runtime classes in the current world, leaving out those the
// configuration names.
void registerClasses(const device::DeviceConfiguration& configuration);

}  // namespace springboard
