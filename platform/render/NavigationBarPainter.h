#pragma once

#include <cairo.h>

#include "ui/Color.h"
#include "ui/View.h"

namespace render {

// A navigation bar: its bar tint (a near-white translucent grey without one) from the top of
// the screen (under the status bar) to its bottom, the hairline under it unless hidden, the
// shown item's title (bold 17 pt, in the bar's title colour, black by default) when the item
// has no title view, and the item's right button title in its tint.
class NavigationBarPainter {
  public:
    static constexpr ui::ColorComponents kDefaultBar{0.97, 0.97, 0.97, 1};
    static constexpr double kTitleSize = 17;
    static constexpr double kButtonMargin = 16;

    // The ContentPainter of navigation bars.
    static bool draw(cairo_t* cr, ui::View& view);
};

}  // namespace render
