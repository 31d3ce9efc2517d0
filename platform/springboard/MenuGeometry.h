#pragma once

#include <algorithm>

#include "ui/Rect.h"

namespace springboard {

// Where an icon's shortcut menu and its rows are drawn, in points.
//
// The menu is 250 wide and stands next to the pressed icon: 8 points below it when the
// screen has room (8 points kept at the bottom), otherwise 8 points above it; on the icon's
// side of the screen, its edge in line with the icon's outer edge (the left edge for an icon
// in the left half, the right edge otherwise), kept 8 points inside the screen. Without an
// icon on the screen it stands 16 from the leading edge (mirrored right-to-left) and 120
// from the top. Its rows are stacked in list order, each 57 high, with 10 points under the
// last one, so the state badges hanging below a row's switches stay on the platter. Inside a
// row, the title's container and, below it, the subtitle's own container start 16 from the
// leading edge and end 12 before the icon, a 28-point square 16 from the trailing edge,
// centred vertically; right-to-left the row is mirrored (icon at the left). The title is 22
// high, the subtitle 18 below it.
struct MenuGeometry {
    static constexpr double kMenuWidth = 250;
    static constexpr double kMenuEdgeInset = 16;
    static constexpr double kMenuTop = 120;
    static constexpr double kMenuCornerRadius = 13;
    static constexpr double kRowHeight = 57;
    static constexpr double kMenuBottomInset = 10;
    static constexpr double kRowInset = 16;
    static constexpr double kIconSize = 28;
    static constexpr double kIconGap = 12;
    static constexpr double kTitleHeight = 22;
    static constexpr double kSubtitleHeight = 18;
    static constexpr double kContainerTop = (kRowHeight - kTitleHeight - kSubtitleHeight) / 2;
    static constexpr double kContainerWidth = kMenuWidth - 2 * kRowInset - kIconSize - kIconGap;
    static constexpr double kIconSpacing = 8;
    static constexpr double kScreenMargin = 8;
    static constexpr double kStatusBarHeight = 20;

    // The menu's frame for a menu `height` high opened from the icon at `icon` on `screen`.
    static ui::Rect anchoredFrame(const ui::Rect& icon, double height, const ui::Rect& screen) {
        const bool leftHalf = icon.midX() < screen.midX();
        const double x = std::clamp(
            leftHalf ? icon.minX() : icon.maxX() - kMenuWidth, screen.minX() + kScreenMargin,
            std::max(screen.minX() + kScreenMargin, screen.maxX() - kScreenMargin - kMenuWidth));
        const double below = icon.maxY() + kIconSpacing;
        const double y = below + height <= screen.maxY() - kScreenMargin
                             ? below
                             : std::max(kStatusBarHeight, icon.minY() - kIconSpacing - height);
        return ui::Rect(x, y, kMenuWidth, height);
    }
};

}  // namespace springboard
