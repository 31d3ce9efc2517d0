#pragma once

#include "device/DeviceConfiguration.h"

namespace settings {

// Registers the Settings app's preference framework in the current world (after the UI
// toolkit's classes): view controllers and navigation, specifiers, list controllers and
// cells, the preference library's base and appearance settings, and NSTask.
void registerClasses(const device::DeviceConfiguration& configuration = {});

}  // namespace settings
