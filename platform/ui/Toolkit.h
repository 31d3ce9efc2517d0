#pragma once

#include "device/DeviceConfiguration.h"

namespace ui {

// Registers every class of the UI toolkit, with its runtime methods, in the current world,
// except those the phone's configuration leaves out (and the subclasses of a left-out
// class). Called once per world by the host's boot; it also clears the animation log, so a
// fresh world starts with none.
void registerClasses();
void registerClasses(const device::DeviceConfiguration& configuration);

}  // namespace ui
