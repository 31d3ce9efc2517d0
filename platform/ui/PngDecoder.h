#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ui/Image.h"

namespace ui {

// Decodes PNG files with libpng into 8-bit RGBA, whatever their colour type and depth.
class PngDecoder {
  public:
    // None for bytes that are not a complete, valid PNG image or one too large to hold.
    static std::optional<Bitmap> decode(const std::vector<std::uint8_t>& bytes);

    // Sides above this many pixels are refused, so a hostile header cannot exhaust memory.
    static constexpr std::uint32_t kMaximumSide = 16384;
};

}  // namespace ui
