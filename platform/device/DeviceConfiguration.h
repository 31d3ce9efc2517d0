#pragma once

#include <array>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "device/LayoutDirection.h"
#include "device/Switch.h"
#include "device/SwitchState.h"

namespace device {

// What a phone is when it boots: its system, its language, its first levels and switch
// states, its connected Bluetooth devices, and the system classes it lacks (a system
// without a service has no runtime class of that name).
struct DeviceConfiguration {
    std::string systemVersion = "13.5";
    std::string localeIdentifier = "en_US";
    LayoutDirection layoutDirection = LayoutDirection::LeftToRight;
    float volume = 0.5f;
    double brightness = 0.5;
    // Indexed by Switch; see defaultSwitchStates().
    std::array<SwitchState, kSwitchCount> switches = defaultSwitchStates();
    std::vector<std::string> bluetoothDevices;
    std::set<std::string, std::less<>> leftOutClasses;

    // A phone as it leaves the box: radios, location, auto-brightness and auto-lock on;
    // orientation lock, airplane mode, Do Not Disturb, low power, Night Shift and VPN off.
    static std::array<SwitchState, kSwitchCount> defaultSwitchStates();

    SwitchState initialState(Switch which) const {
        return switches[static_cast<std::size_t>(which)];
    }
    void setInitialState(Switch which, SwitchState state) {
        switches[static_cast<std::size_t>(which)] = state;
    }

    // Whether the runtime class of that name is left out of this system.
    bool leavesOut(std::string_view className) const { return leftOutClasses.contains(className); }
};

}  // namespace device
