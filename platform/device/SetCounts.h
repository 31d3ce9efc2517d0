#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "device/Switch.h"

namespace device {

// How many sets reached the phone, per quantity, whatever value each asked for (a set to
// the value already in force counts too).
struct SetCounts {
    int volume = 0;
    int brightness = 0;
    std::array<int, kSwitchCount> switches{};

    int of(Switch which) const { return switches[static_cast<std::size_t>(which)]; }
    // By quantity name: "volume", "brightness" or a switch name; none for another name.
    std::optional<int> named(std::string_view quantity) const;
};

}  // namespace device
