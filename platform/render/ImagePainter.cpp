#include "render/ImagePainter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "render/Shapes.h"

namespace render {

namespace {
constexpr std::uint32_t kLargestSide = 16384;
}  // namespace

CairoSurface ImagePainter::surfaceOf(const ui::Image& image) {
    const ui::Bitmap* bitmap = image.bitmap();
    if (!bitmap || bitmap->width == 0 || bitmap->height == 0 || bitmap->width > kLargestSide ||
        bitmap->height > kLargestSide)
        return nullptr;
    const std::size_t needed = std::size_t{bitmap->width} * bitmap->height * 4;
    if (bitmap->rgba.size() < needed) return nullptr;
    CairoSurface surface(cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, static_cast<int>(bitmap->width), static_cast<int>(bitmap->height)));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (std::uint32_t y = 0; y < bitmap->height; ++y) {
        const std::uint8_t* source = bitmap->rgba.data() + std::size_t{y} * bitmap->width * 4;
        auto* row =
            reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (std::uint32_t x = 0; x < bitmap->width; ++x, source += 4) {
            const std::uint32_t alpha = source[3];
            auto premultiply = [alpha](std::uint32_t c) { return (c * alpha + 127) / 255; };
            row[x] = alpha << 24 | premultiply(source[0]) << 16 | premultiply(source[1]) << 8 |
                     premultiply(source[2]);
        }
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

ui::Rect ImagePainter::placement(const ui::Size& size, const ui::Rect& box, ui::ContentMode mode) {
    using ui::ContentMode;
    if (size.width <= 0 || size.height <= 0) return box;
    switch (mode) {
        case ContentMode::ScaleToFill:
        case ContentMode::Redraw:
            return box;
        case ContentMode::ScaleAspectFit:
        case ContentMode::ScaleAspectFill: {
            const double sx = box.width() / size.width;
            const double sy = box.height() / size.height;
            const double s =
                mode == ContentMode::ScaleAspectFit ? std::min(sx, sy) : std::max(sx, sy);
            const double w = size.width * s;
            const double h = size.height * s;
            return ui::Rect(box.midX() - w / 2, box.midY() - h / 2, w, h);
        }
        default:
            break;
    }
    // The modes that keep the image's own size: placed at a side, a corner or the centre.
    double x = box.midX() - size.width / 2;
    double y = box.midY() - size.height / 2;
    if (mode == ContentMode::Left || mode == ContentMode::TopLeft ||
        mode == ContentMode::BottomLeft)
        x = box.minX();
    if (mode == ContentMode::Right || mode == ContentMode::TopRight ||
        mode == ContentMode::BottomRight)
        x = box.maxX() - size.width;
    if (mode == ContentMode::Top || mode == ContentMode::TopLeft || mode == ContentMode::TopRight)
        y = box.minY();
    if (mode == ContentMode::Bottom || mode == ContentMode::BottomLeft ||
        mode == ContentMode::BottomRight)
        y = box.maxY() - size.height;
    return ui::Rect(x, y, size.width, size.height);
}

void ImagePainter::draw(cairo_t* cr, const ui::Image& image, const ui::Rect& box,
                        ui::ContentMode mode, const ui::Color* tint, double alpha) {
    CairoSurface surface = surfaceOf(image);
    if (!surface || !Shapes::isFinite(box)) return;
    const ui::Rect target = placement(image.size(), box, mode);
    const ui::Rect visible = Shapes::visiblePart(cr, target);
    if (visible.width() <= 0 || visible.height() <= 0) return;
    cairo_save(cr);
    cairo_rectangle(cr, visible.x(), visible.y(), visible.width(), visible.height());
    cairo_clip(cr);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface.get());
    cairo_matrix_t matrix;
    // Pattern space is the image's pixels: user point (x, y) → pixel.
    cairo_matrix_init_scale(&matrix, image.pixelWidth() / target.width(),
                            image.pixelHeight() / target.height());
    cairo_matrix_translate(&matrix, -target.x(), -target.y());
    cairo_pattern_set_matrix(pattern, &matrix);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
    if (tint) {
        Shapes::setColor(cr, tint, alpha);
        cairo_mask(cr, pattern);
    } else {
        cairo_set_source(cr, pattern);
        cairo_paint_with_alpha(cr, alpha);
    }
    cairo_pattern_destroy(pattern);
    cairo_restore(cr);
}

}  // namespace render
