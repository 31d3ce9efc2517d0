#pragma once

#include <cairo.h>

#include "ui/Slider.h"

namespace render {

// A slider as the phone draws it: a 4-point rounded track across the bounds' middle, filled
// in the minimum track colour (the tint by default) from the leading end to the thumb and
// in the maximum track colour (light grey) beyond, and a white 28-point thumb whose centre
// stands at the value's place on the track (mirrored in a right-to-left interface).
class SliderPainter {
  public:
    static constexpr double kTrackHeight = 4;

    // The thumb centre's x in the slider's bounds for its value.
    static double thumbCenterX(const ui::Slider& slider);
    // The ContentPainter of sliders.
    static bool draw(cairo_t* cr, ui::View& view);
};

}  // namespace render
