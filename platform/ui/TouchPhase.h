#pragma once

namespace ui {

// The phase of a touch ("UITouchPhase"), with the device's values.
enum class TouchPhase : long {
    Began = 0,
    Moved = 1,
    Stationary = 2,
    Ended = 3,
    Cancelled = 4,
};

}  // namespace ui
