#pragma once

#include <string_view>

namespace device {

// What a switch shows: off, on, or neither (a switch whose state the system cannot tell).
enum class SwitchState { Off, On, Indeterminate };

inline SwitchState switchStateFor(bool on) {
    return on ? SwitchState::On : SwitchState::Off;
}

inline std::string_view switchStateName(SwitchState state) {
    switch (state) {
        case SwitchState::Off:
            return "off";
        case SwitchState::On:
            return "on";
        case SwitchState::Indeterminate:
            return "indeterminate";
    }
    return "unknown";
}

}  // namespace device
