#pragma once

#include <cairo.h>

#include <string>

#include "render/GlyphSet.h"
#include "ui/Point.h"

namespace render {

// A system overlay (the volume or the brightness HUD) as the phone draws it: a pale rounded
// square with a title, the bundle's glyph and a row of 16 segments lit up to the level.
class OverlayPainter {
  public:
    static constexpr double kSide = 155;
    static constexpr int kSegments = 16;

    // `glyphName` names the bundle glyph ("volume", "brightness").
    static void draw(cairo_t* cr, const ui::Point& center, const std::string& title,
                     const std::string& glyphName, double level, GlyphSet& glyphs);
    // How many segments a level lights: the nearest whole number of sixteenths.
    static int litSegments(double level);
};

}  // namespace render
