#pragma once

#include <cairo.h>

#include <string>

#include "render/TextStyle.h"
#include "ui/Rect.h"

namespace render {

// Sets text with Pango in the system font's stand-in (DejaVu Sans), so that every script
// the font covers is shaped (Arabic joins) and each paragraph runs in its own direction.
// Glyphs are drawn with grey antialiasing and no hinting, so a picture is the same on every
// run of a given machine.
class TextPainter {
  public:
    static constexpr const char* kFontFamily = "DejaVu Sans";
    // Sizes outside this range (or not a number) are drawn at the default size.
    static constexpr double kSmallestSize = 1;
    static constexpr double kLargestSize = 512;
    static constexpr double kDefaultSize = 17;

    // Draws the text in the box: lines wrapped or cut to the box's width, the block centred
    // on the box's height, aligned across as the style says.
    static void draw(cairo_t* cr, const std::string& text, const ui::Rect& box,
                     const TextStyle& style);
    // The size the text takes set on one line (no width limit), in points.
    static ui::Size measure(cairo_t* cr, const std::string& text, const TextStyle& style);
};

}  // namespace render
