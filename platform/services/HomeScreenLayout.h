#pragma once

#include <cstddef>
#include <optional>

#include "ui/Rect.h"
#include "ui/UIScreen.h"

namespace services {

// Where the home screen puts its icons, in screen points: a 4 × 6 grid of 60-point icons
// (27-point side margins, rows 88 points apart from y 28) on the first page, the page dots
// under it and a dock of four icons along the bottom. Mirrored in a right-to-left interface.
// The home-screen host places an icon's menu by it and the renderer draws the icons by it.
struct HomeScreenLayout {
    static constexpr double kIconSize = 60;
    static constexpr int kColumns = 4;
    static constexpr int kRows = 6;
    static constexpr std::size_t kIconsPerPage = kColumns * kRows;
    static constexpr double kSideMargin = 27;
    static constexpr double kGridTop = 28;
    static constexpr double kRowPitch = 88;
    static constexpr double kPageDotsY = 556;  // the dots' centre line
    static constexpr double kDockTop = 573;
    static constexpr double kDockInset = 6;  // the dock's platter from the screen's edges
    static constexpr std::size_t kDockIcons = 4;

    static double columnX(std::size_t column, bool rightToLeft) {
        const double width = ui::UIScreen::bounds().width();
        const double gap = (width - 2 * kSideMargin - kColumns * kIconSize) / (kColumns - 1);
        const double x = kSideMargin + static_cast<double>(column) * (kIconSize + gap);
        return rightToLeft ? width - x - kIconSize : x;
    }

    // The frame of the icon at `index` in the grid; none beyond the first page.
    static std::optional<ui::Rect> iconFrame(std::size_t index, bool rightToLeft) {
        if (index >= kIconsPerPage) return std::nullopt;
        const double row = static_cast<double>(index / kColumns);
        return ui::Rect(columnX(index % kColumns, rightToLeft), kGridTop + row * kRowPitch,
                        kIconSize, kIconSize);
    }

    // The dock's platter and the frame of its icon at `index` (0 … 3).
    static ui::Rect dockFrame() {
        const ui::Rect screen = ui::UIScreen::bounds();
        return ui::Rect(kDockInset, kDockTop, screen.width() - 2 * kDockInset,
                        screen.height() - kDockTop - kDockInset);
    }
    static ui::Rect dockIconFrame(std::size_t index, bool rightToLeft) {
        const ui::Rect dock = dockFrame();
        return ui::Rect(columnX(index % kColumns, rightToLeft),
                        dock.minY() + (dock.height() - kIconSize) / 2, kIconSize, kIconSize);
    }
};

}  // namespace services
