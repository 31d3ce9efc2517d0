#pragma once

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <optional>

#include "render/CairoHandles.h"

namespace render {

// One pixel, straight (not premultiplied) 8-bit components.
struct Pixel {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;

    // Perceived lightness, 0..255 (Rec. 601 weights on the stored components).
    double luma() const { return 0.299 * red + 0.587 * green + 0.114 * blue; }
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

// A picture being drawn or drawn: a size in points, the scale of its pixels, and the pixels
// (a cairo image surface, ARGB). Pixel sizes are bounded so that an absurd size asks for no
// absurd memory.
class Picture {
  public:
    static constexpr int kMaximumPixelSide = 8192;

    // Transparent pixels: width × scale by height × scale, rounded, each at least 1 and at
    // most kMaximumPixelSide.
    Picture(double widthPoints, double heightPoints, double scale);

    int pixelWidth() const;
    int pixelHeight() const;
    double scale() const { return _scale; }

    // A drawing context in points (scaled by the picture's scale).
    CairoContext context() const;
    cairo_surface_t* surface() const { return _surface.get(); }

    // The pixel at (x, y) in pixels; transparent outside the picture.
    Pixel pixel(int x, int y) const;
    // Makes every pixel transparent again, as a new picture's.
    void clear();
    // Whether the two pictures have the same size and the same pixels.
    bool samePixelsAs(const Picture& other) const;

    // Paints this picture, drawn at a reduced scale, over the current clip of `cr` at full
    // size (in points), smoothed by `filter` and its edges extended.
    void paintScaledUp(cairo_t* cr, cairo_filter_t filter) const;

    // Writes a PNG file of this machine; throws std::runtime_error naming the path when it
    // cannot be written or something other than a regular file is there. The file is written
    // whole or not at all (an exclusive temporary beside it, renamed into place).
    void writePng(const std::filesystem::path& path) const;
    // A PNG file read back at scale 1; none when it cannot be read.
    static std::optional<Picture> readPng(const std::filesystem::path& path);

  private:
    Picture(CairoSurface surface, double scale) : _scale(scale), _surface(std::move(surface)) {}

    double _scale;
    CairoSurface _surface;
};

}  // namespace render
