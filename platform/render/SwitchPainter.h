#pragma once

#include <cairo.h>

#include "ui/Color.h"
#include "ui/Switch.h"

namespace render {

// A switch as the phone draws it: a 51 × 31 rounded track, filled with the on colour (its
// onTintColor, else its tint) while on and white with a light grey outline while off, and a
// white 27-point knob with a soft shadow at the trailing end while on and the leading end
// while off (mirrored in a right-to-left interface).
class SwitchPainter {
  public:
    static constexpr double kKnobInset = 2;
    static constexpr ui::ColorComponents kOffOutline{0.89, 0.89, 0.91, 1};

    // The knob centre's x in the switch's bounds.
    static double knobCenterX(const ui::Switch& control);
    // The ContentPainter of switches.
    static bool draw(cairo_t* cr, ui::View& view);
};

}  // namespace render
