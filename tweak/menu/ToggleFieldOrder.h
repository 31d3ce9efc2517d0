#pragma once

#include <array>
#include <string_view>

#include "tweak/controls/ToggleCatalogue.h"

namespace morvane {

// The order in which the menu walks a toggles row's twelve buttons (the order of the row's
// button fields, which differs from the on-screen order): wiring, marking to show and
// setting states.
inline constexpr std::array<std::string_view, kToggleCount> kToggleFieldOrder = {
    "orientationLock", "bluetooth",      "cellular", "wifi",     "airplane",   "dnd",
    "location",        "autoBrightness", "autoLock", "lowPower", "nightShift", "vpn",
};

}  // namespace morvane
