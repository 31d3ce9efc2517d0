#include "render/Picture.h"

#include "core/files/HostFile.h"
#include "render/PngEncoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>

namespace render {

namespace {

int pixelSide(double points, double scale) {
    const double pixels = points * scale;
    if (!std::isfinite(pixels) || pixels < 1) return 1;
    return static_cast<int>(std::min<double>(std::lround(pixels), Picture::kMaximumPixelSide));
}

double usableScale(double scale) {
    return std::isfinite(scale) && scale > 0 ? std::min(scale, 8.0) : 1.0;
}

}  // namespace

Picture::Picture(double widthPoints, double heightPoints, double scale)
    : _scale(usableScale(scale)),
      _surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelSide(widthPoints, _scale),
                                          pixelSide(heightPoints, _scale))) {
    if (cairo_surface_status(_surface.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot make a picture of that size");
}

int Picture::pixelWidth() const {
    return cairo_image_surface_get_width(_surface.get());
}

int Picture::pixelHeight() const {
    return cairo_image_surface_get_height(_surface.get());
}

void Picture::clear() {
    CairoContext context(cairo_create(_surface.get()));
    cairo_set_operator(context.get(), CAIRO_OPERATOR_CLEAR);
    cairo_paint(context.get());
}

CairoContext Picture::context() const {
    CairoContext context(cairo_create(_surface.get()));
    cairo_scale(context.get(), _scale, _scale);
    return context;
}

Pixel Picture::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= pixelWidth() || y >= pixelHeight()) return {};
    cairo_surface_flush(_surface.get());
    const unsigned char* row = cairo_image_surface_get_data(_surface.get()) +
                               y * cairo_image_surface_get_stride(_surface.get());
    std::uint32_t argb = 0;
    std::memcpy(&argb, row + 4 * x, sizeof argb);
    const std::uint8_t alpha = argb >> 24;
    auto unpremultiply = [alpha](std::uint32_t component) {
        return static_cast<std::uint8_t>(
            alpha == 0 ? 0 : std::min<std::uint32_t>(255, (component * 255 + alpha / 2) / alpha));
    };
    return {unpremultiply((argb >> 16) & 0xFF), unpremultiply((argb >> 8) & 0xFF),
            unpremultiply(argb & 0xFF), alpha};
}

bool Picture::samePixelsAs(const Picture& other) const {
    if (pixelWidth() != other.pixelWidth() || pixelHeight() != other.pixelHeight()) return false;
    cairo_surface_flush(_surface.get());
    cairo_surface_flush(other._surface.get());
    const int stride = cairo_image_surface_get_stride(_surface.get());
    const int otherStride = cairo_image_surface_get_stride(other._surface.get());
    const unsigned char* mine = cairo_image_surface_get_data(_surface.get());
    const unsigned char* theirs = cairo_image_surface_get_data(other._surface.get());
    for (int y = 0; y < pixelHeight(); ++y) {
        if (std::memcmp(mine + y * stride, theirs + y * otherStride, 4u * pixelWidth()) != 0)
            return false;
    }
    return true;
}

void Picture::writePng(const std::filesystem::path& path) const {
    core::replaceHostFile(path, PngEncoder::encode(_surface.get()), "the picture");
}

std::optional<Picture> Picture::readPng(const std::filesystem::path& path) {
    CairoSurface surface(cairo_image_surface_create_from_png(path.c_str()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;
    if (cairo_image_surface_get_format(surface.get()) != CAIRO_FORMAT_ARGB32) {
        // Opaque files read as RGB24: copy them into the picture's format.
        CairoSurface converted(cairo_image_surface_create(
            CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(surface.get()),
            cairo_image_surface_get_height(surface.get())));
        CairoContext context(cairo_create(converted.get()));
        cairo_set_source_surface(context.get(), surface.get(), 0, 0);
        cairo_paint(context.get());
        surface = std::move(converted);
    }
    return Picture(std::move(surface), 1);
}

void Picture::paintScaledUp(cairo_t* cr, cairo_filter_t filter) const {
    cairo_save(cr);
    cairo_scale(cr, 1 / _scale, 1 / _scale);
    cairo_set_source_surface(cr, _surface.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), filter);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_restore(cr);
}

}  // namespace render
