#include "GlyphCanvas.h"

#include <numbers>
#include <stdexcept>
#include <string>

namespace {

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

}  // namespace

GlyphCanvas::GlyphCanvas(int pixelSize)
    : _surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelSize, pixelSize)) {
    if (cairo_surface_status(_surface.get()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot create a " + std::to_string(pixelSize) + " px image");
    }
    _context.reset(cairo_create(_surface.get()));
    cairo_t* cr = context();
    cairo_scale(cr, pixelSize / kDesignSize, pixelSize / kDesignSize);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_BEST);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    useInk();
}

void GlyphCanvas::useInk() {
    cairo_set_operator(context(), CAIRO_OPERATOR_OVER);
    cairo_set_source_rgba(context(), 0.0, 0.0, 0.0, 1.0);
}

void GlyphCanvas::useEraser() {
    cairo_set_operator(context(), CAIRO_OPERATOR_CLEAR);
}

void GlyphCanvas::circle(double centerX, double centerY, double radius) {
    cairo_new_sub_path(context());
    cairo_arc(context(), centerX, centerY, radius, 0.0, 2.0 * std::numbers::pi);
    cairo_close_path(context());
}

void GlyphCanvas::arc(double centerX, double centerY, double radius, double fromDegrees,
                      double toDegrees) {
    cairo_new_sub_path(context());
    cairo_arc(context(), centerX, centerY, radius, radians(fromDegrees), radians(toDegrees));
}

void GlyphCanvas::line(double fromX, double fromY, double toX, double toY) {
    cairo_move_to(context(), fromX, fromY);
    cairo_line_to(context(), toX, toY);
}

void GlyphCanvas::roundedRect(double x, double y, double width, double height,
                              double cornerRadius) {
    const double r = cornerRadius;
    cairo_t* cr = context();
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - r, y + r, r, radians(-90), radians(0));
    cairo_arc(cr, x + width - r, y + height - r, r, radians(0), radians(90));
    cairo_arc(cr, x + r, y + height - r, r, radians(90), radians(180));
    cairo_arc(cr, x + r, y + r, r, radians(180), radians(270));
    cairo_close_path(cr);
}

void GlyphCanvas::fill() {
    cairo_fill(context());
}

void GlyphCanvas::stroke(double width) {
    cairo_set_line_width(context(), width);
    cairo_stroke(context());
}

void GlyphCanvas::centeredText(std::string_view text, double centerX, double centerY,
                               double inkHeight) {
    cairo_t* cr = context();
    const std::string string(text);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    // Measure at a reference size, then scale so the ink (not the em box) has the wanted height.
    constexpr double kReferenceSize = 100.0;
    cairo_set_font_size(cr, kReferenceSize);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, string.c_str(), &extents);
    if (extents.height <= 0.0) throw std::runtime_error("no font renders \"" + string + "\"");
    const double scale = inkHeight / extents.height;
    cairo_set_font_size(cr, kReferenceSize * scale);
    const double inkLeft = centerX - extents.width * scale / 2.0;
    const double inkTop = centerY - extents.height * scale / 2.0;
    cairo_move_to(cr, inkLeft - extents.x_bearing * scale, inkTop - extents.y_bearing * scale);
    cairo_text_path(cr, string.c_str());
    cairo_fill(cr);
}

void GlyphCanvas::writePng(const std::filesystem::path& path) const {
    cairo_surface_flush(_surface.get());
    const cairo_status_t status = cairo_surface_write_to_png(_surface.get(), path.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot write " + path.string() + ": " +
                                 cairo_status_to_string(status));
    }
}
