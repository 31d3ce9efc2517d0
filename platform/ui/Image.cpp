#include "ui/Image.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include <fcntl.h>

#include "core/files/AtomicFile.h"
#include "core/files/FileVersion.h"
#include "core/files/RootedFiles.h"
#include "rt/Make.h"
#include "ui/DecodedImageCache.h"
#include "ui/PngDecoder.h"

namespace ui {

namespace {

// Files larger than this are not images the phone would show.
constexpr std::uintmax_t kMaximumFileSize = 64u * 1024 * 1024;

// Reads a file of this machine (images the hosts and tests pass by their own path).
std::optional<std::vector<std::uint8_t>> readFile(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaximumFileSize) return std::nullopt;
    std::ifstream stream(path, std::ios::binary);
    if (!stream) return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(stream)),
                                    std::istreambuf_iterator<char>());
    if (stream.bad()) return std::nullopt;
    return bytes;
}

// "name@2x.png" is drawn for a 2x screen.
double scaleFromFileName(const std::filesystem::path& path) {
    const std::string stem = path.stem().string();
    if (stem.size() > 3 && stem.compare(stem.size() - 3, 3, "@3x") == 0) return 3;
    if (stem.size() > 3 && stem.compare(stem.size() - 3, 3, "@2x") == 0) return 2;
    return 1;
}

// "name@2x.png" is the resource "name".
std::string resourceNameOf(const std::filesystem::path& path) {
    std::string stem = path.stem().string();
    if (scaleFromFileName(path) != 1) stem.resize(stem.size() - 3);
    return stem;
}

// The file's pixels: from the cache while the file is unchanged, else read and decoded.
std::shared_ptr<const Bitmap> decodedFile(const std::filesystem::path& path) {
    const auto version = FileVersion::of(path);
    if (!version) return nullptr;
    const std::string key = path.string();
    if (auto cached = DecodedImageCache::shared().find(key, *version)) return cached;
    const auto bytes = readFile(path);
    if (!bytes) return nullptr;
    auto bitmap = PngDecoder::decode(*bytes);
    if (!bitmap) return nullptr;
    auto shared = std::make_shared<const Bitmap>(std::move(*bitmap));
    DecodedImageCache::shared().store(key, *version, shared);
    return shared;
}

// A device file's pixels. The file is opened once within the device root; its version and its
// bytes both come from that descriptor, so what is cached is what was read.
std::shared_ptr<const Bitmap> decodedDeviceFile(const std::string& devicePath) {
    const auto files = core::RootedFiles::ofDeviceRoot();
    if (!files) return nullptr;
    const core::FileDescriptor file = files->open(devicePath, O_RDONLY | O_NONBLOCK);
    if (!file.valid()) return nullptr;
    const auto version = FileVersion::ofDescriptor(file.get());
    if (!version || static_cast<std::uintmax_t>(version->size) > kMaximumFileSize) return nullptr;
    const std::string key = "device:" + devicePath;
    if (auto cached = DecodedImageCache::shared().find(key, *version)) return cached;
    const auto bytes = core::readWholeDescriptor(file.get());
    if (!bytes) return nullptr;
    auto bitmap = PngDecoder::decode(std::vector<std::uint8_t>(bytes->begin(), bytes->end()));
    if (!bitmap) return nullptr;
    auto shared = std::make_shared<const Bitmap>(std::move(*bitmap));
    DecodedImageCache::shared().store(key, *version, shared);
    return shared;
}

}  // namespace

Image::Image() : _scale(1), _renderingMode(RenderingMode::Automatic) {}

Image::Image(std::shared_ptr<const Bitmap> bitmap, double scale, RenderingMode mode)
    : _bitmap(std::move(bitmap)), _scale(scale > 0 ? scale : 1), _renderingMode(mode) {}

rt::Ref<Image> Image::imageWithContentsOfFile(const std::string& devicePath) {
    std::shared_ptr<const Bitmap> bitmap = decodedDeviceFile(devicePath);
    if (!bitmap) return nullptr;
    const std::filesystem::path name(devicePath);
    auto image =
        rt::make<Image>(std::move(bitmap), scaleFromFileName(name), RenderingMode::Automatic);
    image->_resourceName = resourceNameOf(name);
    return image;
}

rt::Ref<Image> Image::imageWithFileAtHostPath(const std::filesystem::path& path, double scale) {
    std::shared_ptr<const Bitmap> bitmap = decodedFile(path);
    if (!bitmap) return nullptr;
    return rt::make<Image>(std::move(bitmap), scale, RenderingMode::Automatic);
}

rt::Ref<Image> Image::imageWithPngData(const std::vector<std::uint8_t>& bytes, double scale) {
    auto bitmap = PngDecoder::decode(bytes);
    if (!bitmap) return nullptr;
    return rt::make<Image>(std::make_shared<const Bitmap>(std::move(*bitmap)), scale,
                           RenderingMode::Automatic);
}

rt::Ref<Image> Image::imageWithRenderingMode(RenderingMode mode) const {
    rt::Ref<Image> image = rt::make<Image>(_bitmap, _scale, mode);
    image->_resourceName = _resourceName;
    return image;
}

Size Image::size() const {
    if (!_bitmap) return {};
    return {_bitmap->width / _scale, _bitmap->height / _scale};
}

}  // namespace ui
