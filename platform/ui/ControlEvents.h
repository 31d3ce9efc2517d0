#pragma once

namespace ui {

// Control event bits ("UIControlEvents") and control states ("UIControlState"), with the
// device's values.
struct ControlEvents {
    static constexpr unsigned long kTouchDown = 1UL << 0;
    static constexpr unsigned long kTouchDownRepeat = 1UL << 1;
    static constexpr unsigned long kTouchDragInside = 1UL << 2;
    static constexpr unsigned long kTouchDragOutside = 1UL << 3;
    static constexpr unsigned long kTouchDragEnter = 1UL << 4;
    static constexpr unsigned long kTouchDragExit = 1UL << 5;
    static constexpr unsigned long kTouchUpInside = 1UL << 6;
    static constexpr unsigned long kTouchUpOutside = 1UL << 7;
    static constexpr unsigned long kTouchCancel = 1UL << 8;
    static constexpr unsigned long kValueChanged = 1UL << 12;
    static constexpr unsigned long kPrimaryActionTriggered = 1UL << 13;
    static constexpr unsigned long kAllTouchEvents = 0x0FFFUL;
    static constexpr unsigned long kAllEvents = 0xFFFFFFFFUL;
};

struct ControlState {
    static constexpr unsigned long kNormal = 0;
    static constexpr unsigned long kHighlighted = 1UL << 0;
    static constexpr unsigned long kDisabled = 1UL << 1;
    static constexpr unsigned long kSelected = 1UL << 2;
};

}  // namespace ui
