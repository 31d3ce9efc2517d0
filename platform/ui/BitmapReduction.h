#pragma once

#include <cstdint>

#include "ui/Image.h"

namespace ui {

// Bounds what a decoded image costs by what it is shown at: a bitmap with a side longer than
// a bound is reduced by a whole factor (each pixel the average of a square of source pixels,
// weighted by their opacity) until both sides fit.
class BitmapReduction {
  public:
    BitmapReduction() = delete;

    // The whole factor a bitmap of this size is reduced by to fit within maximumSide (1 when
    // it already fits).
    static std::uint32_t factorFor(std::uint32_t width, std::uint32_t height,
                                   std::uint32_t maximumSide);
    // The bitmap reduced by factor (the bitmap itself, moved, for a factor of 1).
    static Bitmap reduce(Bitmap bitmap, std::uint32_t factor);
};

}  // namespace ui
