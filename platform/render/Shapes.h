#pragma once

#include <cairo.h>

#include "ui/Color.h"
#include "ui/Rect.h"

namespace render {

// Small drawing helpers shared by the painters.
class Shapes {
  public:
    // Adds a rectangle with rounded corners to the path; the radius is bounded by half the
    // shorter side. A rectangle reaching far outside the clip is cut to the clip first, so
    // huge frames never overflow cairo's fixed-point coordinates.
    static void roundedRectangle(cairo_t* cr, const ui::Rect& rect, double radius);
    // The part of `rect` inside the current clip (in user space), or an empty rectangle.
    static ui::Rect visiblePart(cairo_t* cr, const ui::Rect& rect);
    // Whether every number of the rectangle is finite.
    static bool isFinite(const ui::Rect& rect);
    // Sets the source to the colour, its alpha multiplied by `alpha`.
    static void setColor(cairo_t* cr, const ui::Color* color, double alpha = 1);
    static void setColor(cairo_t* cr, const ui::ColorComponents& color, double alpha = 1);
};

}  // namespace render
