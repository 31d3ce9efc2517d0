#pragma once

#include <cairo.h>

#include <filesystem>
#include <memory>
#include <string_view>

// A square, transparent cairo image that a template glyph is drawn on.
//
// Glyphs are drawn in a fixed design space of kDesignSize x kDesignSize units whatever the pixel
// size, so every glyph shares the same grid, margins and stroke weight. Ink is opaque black: a
// template image carries its shape in the alpha channel only, and the UI tints it.
class GlyphCanvas {
  public:
    static constexpr double kDesignSize = 120.0;
    // The stroke weight shared by every outlined glyph.
    static constexpr double kStrokeWidth = 8.0;

    explicit GlyphCanvas(int pixelSize);

    cairo_t* context() const { return _context.get(); }

    // Subsequent fills and strokes put ink down (the default) ...
    void useInk();
    // ... or cut it away again, leaving full transparency.
    void useEraser();

    // Paths, in design units; angles in degrees, clockwise from the positive x axis (y points
    // down).
    void circle(double centerX, double centerY, double radius);
    void arc(double centerX, double centerY, double radius, double fromDegrees, double toDegrees);
    void line(double fromX, double fromY, double toX, double toY);
    void roundedRect(double x, double y, double width, double height, double cornerRadius);

    // Paints the current path and clears it. Strokes use round caps and joins.
    void fill();
    void stroke(double width = kStrokeWidth);

    // Fills `text` in the bold sans face, centred on (centerX, centerY), scaled so that its ink is
    // `inkHeight` units tall.
    void centeredText(std::string_view text, double centerX, double centerY, double inkHeight);

    // Writes the image as an RGBA PNG; throws std::runtime_error when the file cannot be written.
    void writePng(const std::filesystem::path& path) const;

  private:
    struct SurfaceDeleter {
        void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
    };
    struct ContextDeleter {
        void operator()(cairo_t* context) const { cairo_destroy(context); }
    };

    std::unique_ptr<cairo_surface_t, SurfaceDeleter> _surface;
    std::unique_ptr<cairo_t, ContextDeleter> _context;
};
