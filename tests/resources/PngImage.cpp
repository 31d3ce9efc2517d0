#include "resources/PngImage.h"

#include <png.h>

#include <stdexcept>

namespace {

// Releases libpng's decoder state on every exit path.
class PngReadGuard {
  public:
    explicit PngReadGuard(png_image& image) : _image(image) {}
    ~PngReadGuard() { png_image_free(&_image); }
    PngReadGuard(const PngReadGuard&) = delete;
    PngReadGuard& operator=(const PngReadGuard&) = delete;

  private:
    png_image& _image;
};

}  // namespace

PngImage PngImage::read(const std::filesystem::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    const PngReadGuard guard(image);
    const auto fail = [&](const char* step) {
        return std::runtime_error(path.string() + ": " + step + ": " + image.message);
    };
    if (!png_image_begin_read_from_file(&image, path.c_str())) throw fail("cannot read header");
    PngImage decoded;
    decoded.width = static_cast<int>(image.width);
    decoded.height = static_cast<int>(image.height);
    decoded.fileHasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_RGBA;
    decoded.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, decoded.rgba.data(), 0, nullptr))
        throw fail("cannot decode");
    return decoded;
}
