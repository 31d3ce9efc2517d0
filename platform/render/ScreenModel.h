#pragma once

#include <algorithm>
#include <cmath>

namespace render {

// The fixed phone screen the pictures show: a 375 × 667-point portrait screen drawn at 2
// pixels a point (750 × 1334 pixels), a 20-point status bar, the home screen's icons. See
// docs/rendering.md.
struct ScreenModel {
    static constexpr double kWidth = 375;
    static constexpr double kHeight = 667;
    static constexpr double kScale = 2;
    static constexpr double kStatusBarHeight = 20;

    // The home screen's icons (their places: services::HomeScreenLayout).
    static constexpr double kIconSize = 60;
    static constexpr double kIconCornerRadius = 13.5;
    static constexpr double kIconLabelSize = 12;

    // The darkening rule: the light the screen gives at a brightness, as a share of the
    // light at full brightness. Every pixel is multiplied by it, so a screen at brightness 0
    // is dim but readable and the share rises in a straight line to 1 at full brightness.
    static constexpr double kLightAtZero = 0.2;
    static double lightFor(double brightness) {
        const double level = std::isfinite(brightness) ? std::clamp(brightness, 0.0, 1.0) : 1.0;
        return kLightAtZero + (1 - kLightAtZero) * level;
    }
};

}  // namespace render
