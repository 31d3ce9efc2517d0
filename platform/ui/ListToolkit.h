#pragma once

#include "device/DeviceConfiguration.h"

namespace ui {

// Registers the toolkit's list and navigation classes (scroll and table views, cells, text
// fields, switches, navigation bars, items and bar buttons) in the current world, except
// those the configuration leaves out. Part of registerClasses.
void registerListClasses(const device::DeviceConfiguration& configuration);

}  // namespace ui
