#pragma once

namespace device {

// How many times each system overlay (HUD) was shown.
struct OverlayCounts {
    int volume = 0;
    int brightness = 0;
};

}  // namespace device
