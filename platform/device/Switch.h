#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace device {

// The twelve system switches of the phone, in the order the system changes, records and
// restores them. Each is named as the tweak names its toggle ("wifi", "dnd", ...).
enum class Switch {
    OrientationLock,
    Cellular,
    Wifi,
    Bluetooth,
    Airplane,
    Dnd,
    Location,
    AutoBrightness,
    AutoLock,
    LowPower,
    NightShift,
    Vpn,
};

inline constexpr std::size_t kSwitchCount = 12;

// Every switch, in order.
const std::array<Switch, kSwitchCount>& allSwitches();

// The switch's name ("orientationLock", "cellular", ...).
std::string_view switchName(Switch which);

// The switch of that name, or none for a name the phone does not know.
std::optional<Switch> switchNamed(std::string_view name);

}  // namespace device
