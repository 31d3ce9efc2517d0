#include "JpegEncoder.h"

#include <turbojpeg.h>

#include <bit>
#include <stdexcept>

struct JpegEncoder::Handle {
    tjhandle library = tjInitCompress();
    ~Handle() {
        if (library) tjDestroy(library);
    }
};

namespace {

// Cairo's ARGB32 pixels in memory, as the library names their byte order.
constexpr int kPixelFormat = (std::endian::native == std::endian::little) ? TJPF_BGRX : TJPF_XRGB;

}  // namespace

JpegEncoder::JpegEncoder() : _handle(std::make_unique<Handle>()) {
    if (!_handle->library) throw std::runtime_error("the JPEG library did not start");
}

JpegEncoder::~JpegEncoder() = default;

std::string JpegEncoder::encode(const render::Picture& picture) {
    cairo_surface_t* surface = picture.surface();
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* pixels = cairo_image_surface_get_data(surface);
    unsigned char* encoded = nullptr;
    unsigned long size = 0;
    if (tjCompress2(_handle->library, pixels, width, stride, height, kPixelFormat, &encoded, &size,
                    TJSAMP_420, kQuality, TJFLAG_FASTDCT) != 0) {
        if (encoded) tjFree(encoded);
        throw std::runtime_error(std::string("JPEG encoding failed: ") +
                                 tjGetErrorStr2(_handle->library));
    }
    std::string bytes(reinterpret_cast<const char*>(encoded), size);
    tjFree(encoded);
    return bytes;
}
