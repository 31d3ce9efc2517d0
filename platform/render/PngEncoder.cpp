#include "render/PngEncoder.h"

#include <png.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace render {

namespace {

// Owns libpng's write state for one file.
class PngWriteState {
  public:
    PngWriteState()
        : _png(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr)),
          _info(_png ? png_create_info_struct(_png) : nullptr) {
        if (!_png || !_info) throw std::runtime_error("cannot start the PNG encoder");
    }
    ~PngWriteState() { png_destroy_write_struct(&_png, &_info); }
    PngWriteState(const PngWriteState&) = delete;
    PngWriteState& operator=(const PngWriteState&) = delete;

    png_structp png() const { return _png; }
    png_infop info() const { return _info; }

  private:
    png_structp _png;
    png_infop _info;
};

void appendToString(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void flushNothing(png_structp) {}

bool allOpaque(const unsigned char* data, int width, int height, int stride) {
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = data + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            std::uint32_t argb = 0;
            std::memcpy(&argb, row + 4 * x, sizeof argb);
            if ((argb >> 24) != 0xFF) return false;
        }
    }
    return true;
}

// One row of premultiplied native-endian ARGB as straight RGB or RGBA bytes.
void convertRow(const unsigned char* source, int width, bool withAlpha, png_byte* target) {
    for (int x = 0; x < width; ++x) {
        std::uint32_t argb = 0;
        std::memcpy(&argb, source + 4 * x, sizeof argb);
        const std::uint32_t alpha = argb >> 24;
        std::uint32_t red = (argb >> 16) & 0xFF, green = (argb >> 8) & 0xFF, blue = argb & 0xFF;
        if (alpha != 0xFF && alpha != 0) {
            red = (red * 255 + alpha / 2) / alpha;
            green = (green * 255 + alpha / 2) / alpha;
            blue = (blue * 255 + alpha / 2) / alpha;
        }
        *target++ = static_cast<png_byte>(red);
        *target++ = static_cast<png_byte>(green);
        *target++ = static_cast<png_byte>(blue);
        if (withAlpha) *target++ = static_cast<png_byte>(alpha);
    }
}

}  // namespace

std::string PngEncoder::encode(cairo_surface_t* surface, const Settings& settings) {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    if (!data || width <= 0 || height <= 0) throw std::runtime_error("no pixels to encode");
    const bool withAlpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32 &&
                           !allOpaque(data, width, height, stride);

    std::string bytes;
    PngWriteState state;
    std::vector<png_byte> row(static_cast<std::size_t>(width) * (withAlpha ? 4 : 3));
    if (setjmp(png_jmpbuf(state.png()))) throw std::runtime_error("the PNG encoder failed");
    png_set_write_fn(state.png(), &bytes, appendToString, flushNothing);
    png_set_IHDR(state.png(), state.info(), static_cast<png_uint_32>(width),
                 static_cast<png_uint_32>(height), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(state.png(), settings.compressionLevel);
    png_set_compression_strategy(state.png(), settings.strategy);
    png_set_filter(state.png(), PNG_FILTER_TYPE_BASE, settings.filter);
    png_write_info(state.png(), state.info());
    for (int y = 0; y < height; ++y) {
        convertRow(data + static_cast<std::ptrdiff_t>(y) * stride, width, withAlpha, row.data());
        png_write_row(state.png(), row.data());
    }
    png_write_end(state.png(), state.info());
    return bytes;
}

}  // namespace render
