#include "device/DeviceConfiguration.h"

namespace device {

std::array<SwitchState, kSwitchCount> DeviceConfiguration::defaultSwitchStates() {
    std::array<SwitchState, kSwitchCount> states{};
    states.fill(SwitchState::Off);
    for (Switch on : {Switch::Cellular, Switch::Wifi, Switch::Bluetooth, Switch::Location,
                      Switch::AutoBrightness, Switch::AutoLock}) {
        states[static_cast<std::size_t>(on)] = SwitchState::On;
    }
    return states;
}

}  // namespace device
