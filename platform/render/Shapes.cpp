#include "render/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace render {

namespace {
// Beyond this many points from the clip a rectangle's edge is drawn at the clip instead.
constexpr double kClipMargin = 64;
}  // namespace

bool Shapes::isFinite(const ui::Rect& rect) {
    return std::isfinite(rect.x()) && std::isfinite(rect.y()) && std::isfinite(rect.width()) &&
           std::isfinite(rect.height());
}

ui::Rect Shapes::visiblePart(cairo_t* cr, const ui::Rect& rect) {
    if (!isFinite(rect) || rect.width() <= 0 || rect.height() <= 0) return {};
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    const double left = std::max(rect.minX(), x1);
    const double top = std::max(rect.minY(), y1);
    const double right = std::min(rect.maxX(), x2);
    const double bottom = std::min(rect.maxY(), y2);
    if (right <= left || bottom <= top) return {};
    return ui::Rect(left, top, right - left, bottom - top);
}

void Shapes::roundedRectangle(cairo_t* cr, const ui::Rect& rect, double radius) {
    if (!isFinite(rect) || rect.width() <= 0 || rect.height() <= 0) return;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    const bool farOutside = rect.minX() < x1 - kClipMargin || rect.minY() < y1 - kClipMargin ||
                            rect.maxX() > x2 + kClipMargin || rect.maxY() > y2 + kClipMargin;
    const double r = std::isfinite(radius)
                         ? std::clamp(radius, 0.0, std::min(rect.width(), rect.height()) / 2)
                         : 0;
    if (r <= 0 || farOutside) {
        // A corner far outside the clip cannot be seen; draw the visible part square.
        const ui::Rect part = farOutside ? visiblePart(cr, rect) : rect;
        if (part.width() > 0) cairo_rectangle(cr, part.x(), part.y(), part.width(), part.height());
        return;
    }
    constexpr double kPi = std::numbers::pi;
    cairo_new_sub_path(cr);
    cairo_arc(cr, rect.maxX() - r, rect.minY() + r, r, -kPi / 2, 0);
    cairo_arc(cr, rect.maxX() - r, rect.maxY() - r, r, 0, kPi / 2);
    cairo_arc(cr, rect.minX() + r, rect.maxY() - r, r, kPi / 2, kPi);
    cairo_arc(cr, rect.minX() + r, rect.minY() + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void Shapes::setColor(cairo_t* cr, const ui::Color* color, double alpha) {
    if (!color) {
        cairo_set_source_rgba(cr, 0, 0, 0, 0);
        return;
    }
    setColor(cr, color->components(), alpha);
}

void Shapes::setColor(cairo_t* cr, const ui::ColorComponents& color, double alpha) {
    cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha * alpha);
}

}  // namespace render
