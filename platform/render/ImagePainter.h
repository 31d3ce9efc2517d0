#pragma once

#include <cairo.h>

#include "render/CairoHandles.h"
#include "ui/Color.h"
#include "ui/ContentMode.h"
#include "ui/Image.h"
#include "ui/Rect.h"

namespace render {

// Draws images: an image's pixels placed in a box by a content mode, in its own colours or,
// for a template image, its shape filled with a tint.
class ImagePainter {
  public:
    // The image's pixels as a cairo surface (premultiplied), or null for an empty image or a
    // bitmap whose pixel buffer does not hold width × height pixels.
    static CairoSurface surfaceOf(const ui::Image& image);

    // Where the image lands inside `box` for the content mode (its size in points is its
    // pixels divided by its scale).
    static ui::Rect placement(const ui::Size& imageSize, const ui::Rect& box, ui::ContentMode mode);

    // Draws the image in the box; `tint` (when not null) fills the image's shape instead of
    // its colours. `alpha` multiplies everything. A broken image draws nothing.
    static void draw(cairo_t* cr, const ui::Image& image, const ui::Rect& box, ui::ContentMode mode,
                     const ui::Color* tint, double alpha);
};

}  // namespace render
