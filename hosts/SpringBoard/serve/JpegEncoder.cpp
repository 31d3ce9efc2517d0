#include "JpegEncoder.h"

#include <turbojpeg.h>

#include <bit>
#include <climits>
#include <stdexcept>

// The library's handle and one output buffer of the largest size a picture encoded so far can
// take, kept: encoding takes no new memory. Only the pages written to are ever resident.
struct JpegEncoder::Handle {
    tjhandle library = tjInitCompress();
    unsigned char* buffer = nullptr;
    unsigned long capacity = 0;

    ~Handle() {
        if (buffer) tjFree(buffer);
        if (library) tjDestroy(library);
    }
    bool reserve(int width, int height) {
        const unsigned long needed = tjBufSize(width, height, TJSAMP_420);
        if (needed == static_cast<unsigned long>(-1) || needed > INT_MAX) return false;
        if (needed <= capacity) return true;
        if (buffer) tjFree(buffer);
        buffer = tjAlloc(static_cast<int>(needed));
        capacity = buffer ? needed : 0;
        return buffer != nullptr;
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
    if (!_handle->reserve(width, height))
        throw std::runtime_error("no memory to encode a picture of that size");
    // The buffer holds the largest JPEG of this size: the library writes into it, never moves it.
    unsigned char* encoded = _handle->buffer;
    unsigned long size = _handle->capacity;
    if (tjCompress2(_handle->library, pixels, width, stride, height, kPixelFormat, &encoded, &size,
                    TJSAMP_420, kQuality, TJFLAG_FASTDCT | TJFLAG_NOREALLOC) != 0)
        throw std::runtime_error(std::string("JPEG encoding failed: ") +
                                 tjGetErrorStr2(_handle->library));
    return std::string(reinterpret_cast<const char*>(encoded), size);
}
