#include "ui/PngDecoder.h"

#include <png.h>

#include <cstring>

namespace ui {

namespace {

// Frees what libpng allocated for one image, however decoding ended.
class PngImage {
  public:
    PngImage() {
        std::memset(&_image, 0, sizeof _image);
        _image.version = PNG_IMAGE_VERSION;
    }
    ~PngImage() { png_image_free(&_image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;

    png_image* get() { return &_image; }

  private:
    png_image _image;
};

}  // namespace

bool PngDecoder::acceptsSize(std::uint32_t width, std::uint32_t height) {
    return width > 0 && height > 0 && width <= kMaximumSide && height <= kMaximumSide &&
           std::uint64_t{width} * height <= kMaximumPixels;
}

std::optional<Bitmap> PngDecoder::decode(const std::vector<std::uint8_t>& bytes) {
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() < sizeof kSignature ||
        std::memcmp(bytes.data(), kSignature, sizeof kSignature) != 0) {
        return std::nullopt;
    }
    PngImage image;
    if (!png_image_begin_read_from_memory(image.get(), bytes.data(), bytes.size()))
        return std::nullopt;
    const std::uint32_t width = image.get()->width, height = image.get()->height;
    if (!acceptsSize(width, height)) return std::nullopt;
    image.get()->format = PNG_FORMAT_RGBA;
    Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.rgba.resize(PNG_IMAGE_SIZE(*image.get()));
    if (!png_image_finish_read(image.get(), nullptr, bitmap.rgba.data(), 0, nullptr))
        return std::nullopt;
    return bitmap;
}

}  // namespace ui
