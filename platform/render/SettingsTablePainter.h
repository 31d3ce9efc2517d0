#pragma once

#include <cairo.h>

#include "ui/Color.h"
#include "ui/View.h"

namespace render {

// The settings pages' table and rows. A grouped table without a background colour of its own
// shows light grey, each section's rows on a white card with rounded corners (inset from the
// sides) and hairlines between the rows; a row that opens a page shows a grey chevron at its
// trailing end. The rows' labels and switches draw as the toolkit's views.
class SettingsTablePainter {
  public:
    static constexpr ui::ColorComponents kGroupedBackground{0.94, 0.94, 0.96, 1};
    static constexpr ui::ColorComponents kCard{1, 1, 1, 1};
    static constexpr ui::ColorComponents kSeparator{0.78, 0.78, 0.8, 1};
    static constexpr ui::ColorComponents kChevron{0.77, 0.77, 0.78, 1};
    static constexpr double kCardInset = 10;  // in line with the pane's header image
    static constexpr double kCardRadius = 10;
    static constexpr double kSeparatorInset = 16;

    // The ContentPainter of grouped tables.
    static bool drawTable(cairo_t* cr, ui::View& view);
    // The ContentPainter of settings rows (the chevron of links).
    static bool drawCell(cairo_t* cr, ui::View& view);
};

}  // namespace render
