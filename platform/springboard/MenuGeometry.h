#pragma once

namespace springboard {

// Where an icon's shortcut menu and its rows are drawn, in points.
//
// The menu is 250 wide, 16 from the screen's leading edge (mirrored right-to-left) and 120
// from its top; its rows are stacked in list order, each 57 high. Inside a row, the title's
// container and, below it, the subtitle's own container start 16 from the leading edge and
// end 12 before the icon, a 28-point square 16 from the trailing edge, centred vertically;
// right-to-left the row is mirrored (icon at the left). The title is 22 high, the subtitle 18
// below it.
struct MenuGeometry {
    static constexpr double kMenuWidth = 250;
    static constexpr double kMenuEdgeInset = 16;
    static constexpr double kMenuTop = 120;
    static constexpr double kMenuCornerRadius = 13;
    static constexpr double kRowHeight = 57;
    static constexpr double kRowInset = 16;
    static constexpr double kIconSize = 28;
    static constexpr double kIconGap = 12;
    static constexpr double kTitleHeight = 22;
    static constexpr double kSubtitleHeight = 18;
    static constexpr double kContainerTop = (kRowHeight - kTitleHeight - kSubtitleHeight) / 2;
    static constexpr double kContainerWidth = kMenuWidth - 2 * kRowInset - kIconSize - kIconGap;
};

}  // namespace springboard
