#pragma once

#include <algorithm>
#include <cmath>

namespace render {

// The fixed phone screen the pictures show: a 375 × 667-point portrait screen drawn at 2
// pixels a point (750 × 1334 pixels), a 20-point status bar, the home screen's 4-column icon
// grid. See docs/rendering.md.
struct ScreenModel {
    static constexpr double kWidth = 375;
    static constexpr double kHeight = 667;
    static constexpr double kScale = 2;
    static constexpr double kStatusBarHeight = 20;

    // The home screen's grid: 60-point icons, 4 a row, 6 rows a page.
    static constexpr double kIconSize = 60;
    static constexpr double kIconCornerRadius = 13.5;
    static constexpr int kIconColumns = 4;
    static constexpr int kIconRows = 6;
    static constexpr double kGridSideMargin = 27;
    static constexpr double kGridTop = 34;
    static constexpr double kRowPitch = 94;
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
