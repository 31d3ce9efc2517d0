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

    // Images with more pixels than this (64 MiB decoded), or a side longer than
    // kMaximumSide, are refused from their header, before any pixel is decoded, so a
    // hostile header cannot exhaust memory or hold up the main thread.
    static constexpr std::uint64_t kMaximumPixels = std::uint64_t{4096} * 4096;
    static constexpr std::uint32_t kMaximumSide = 16384;

    // Whether an image of this size is one decode() takes.
    static bool acceptsSize(std::uint32_t width, std::uint32_t height);
};

}  // namespace ui
