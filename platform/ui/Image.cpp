#include "ui/Image.h"

#include <fcntl.h>

#include <cstdint>
#include <optional>
#include <string>

#include "core/files/AtomicFile.h"
#include "core/files/FileVersion.h"
#include "core/files/RootedFiles.h"
#include "foundation/Bundle.h"
#include "foundation/BundleDirectory.h"
#include "rt/Class.h"
#include "rt/Make.h"
#include "rt/Runtime.h"
#include "ui/BitmapReduction.h"
#include "ui/DecodedImageCache.h"
#include "ui/PngDecoder.h"

namespace ui {

namespace {

// Files larger than this are not images the phone would show.
constexpr std::uintmax_t kMaximumFileSize = 64u * 1024 * 1024;

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

// The cache's key of a file decoded within a bound.
std::string cacheKey(const std::string& kind, const std::string& path, std::uint32_t bound) {
    return kind + ":" + std::to_string(bound) + ":" + path;
}

// PNG bytes decoded and reduced to fit the bound; null when they are no PNG image.
std::shared_ptr<const Bitmap> decodeWithin(const std::string& bytes, std::uint32_t bound) {
    auto bitmap = PngDecoder::decode(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    if (!bitmap) return nullptr;
    const std::uint32_t factor = BitmapReduction::factorFor(bitmap->width, bitmap->height, bound);
    Bitmap reduced = BitmapReduction::reduce(std::move(*bitmap), factor);
    reduced.reduction = factor;
    return std::make_shared<const Bitmap>(std::move(reduced));
}

// The pixels of the open file: kept ones while it stays the same version (a failed decode
// is kept too), else read from the descriptor, decoded and kept. What is kept is what was
// read: the version and the bytes come from the same descriptor.
std::shared_ptr<const Bitmap> decodedOpenFile(const core::FileDescriptor& file,
                                              const std::string& key, std::uint32_t bound) {
    if (!file.valid()) return nullptr;
    const auto version = FileVersion::ofDescriptor(file.get());
    if (!version || static_cast<std::uintmax_t>(version->size) > kMaximumFileSize) return nullptr;
    if (auto cached = DecodedImageCache::shared().find(key, *version)) return *cached;
    const auto bytes = core::readWholeDescriptor(file.get());
    if (!bytes) return nullptr;
    auto bitmap = decodeWithin(*bytes, bound);
    DecodedImageCache::shared().store(key, *version, bitmap);
    return bitmap;
}

// An image of a file's pixels at the scale its name gives, reduced pixels taken into account.
rt::Ref<Image> imageOfFile(std::shared_ptr<const Bitmap> bitmap, const std::string& path) {
    if (!bitmap) return nullptr;
    const std::filesystem::path name(path);
    const double scale = scaleFromFileName(name) / bitmap->reduction;
    return rt::make<Image>(std::move(bitmap), scale, Image::RenderingMode::Automatic,
                           resourceNameOf(name));
}

}  // namespace

Image::Image() : _scale(1), _renderingMode(RenderingMode::Automatic) {}

Image::Image(std::shared_ptr<const Bitmap> bitmap, double scale, RenderingMode mode,
             std::string resourceName)
    : _bitmap(std::move(bitmap)),
      _scale(scale > 0 ? scale : 1),
      _renderingMode(mode),
      _resourceName(std::move(resourceName)) {}

rt::Ref<Image> Image::imageWithContentsOfFile(const std::string& devicePath,
                                              std::uint32_t maximumPixelSide) {
    const auto files = core::RootedFiles::ofDeviceRoot();
    if (!files) return nullptr;
    const core::FileDescriptor file = files->open(devicePath, O_RDONLY | O_NONBLOCK);
    return imageOfFile(
        decodedOpenFile(file, cacheKey("device", devicePath, maximumPixelSide), maximumPixelSide),
        devicePath);
}

rt::Ref<Image> Image::imageWithResource(const Bundle& bundle, const std::string& fileName,
                                        std::uint32_t maximumPixelSide) {
    const auto held = bundle.directoryAsMade();
    if (!held) return nullptr;
    // A plain file at the top level whose pixels are kept for its version: no open at all.
    if (const auto version = held->versionOfPlainFile(fileName)) {
        const std::string path = held->devicePathOf(fileName);
        const auto cached =
            DecodedImageCache::shared().find(cacheKey("device", path, maximumPixelSide), *version);
        if (cached) return imageOfFile(*cached, path);
    }
    const auto found = bundle.resource(fileName);
    if (!found) return nullptr;
    const std::string path = found->directory->devicePathOf(found->relativePath);
    const core::FileDescriptor file =
        found->directory->openRelative(found->relativePath, O_RDONLY | O_NONBLOCK);
    return imageOfFile(
        decodedOpenFile(file, cacheKey("device", path, maximumPixelSide), maximumPixelSide), path);
}

rt::Ref<Image> Image::imageWithResourceOfBundle(const std::string& bundlePath,
                                                const std::string& fileName,
                                                std::uint32_t maximumPixelSide) {
    const auto directory = BundleDirectory::open(bundlePath);
    if (!directory) return nullptr;
    if (auto kept = directory->kept(fileName, maximumPixelSide)) return rt::cast<Image>(kept);
    if (auto file = directory->openWatchedPlainFile(fileName)) {
        const std::string path = directory->devicePathOf(fileName);
        auto bitmap = decodedOpenFile(file->descriptor, cacheKey("device", path, maximumPixelSide),
                                      maximumPixelSide);
        const std::size_t bytes = bitmap ? bitmap->rgba.size() + sizeof(Image) : 0;
        auto image = imageOfFile(std::move(bitmap), path);
        if (image) directory->keep(fileName, maximumPixelSide, file->generation, image, bytes);
        return image;
    }
    // A localized resource, a link, a missing file or a directory not watched.
    const auto bundle = Bundle::bundleWithPath(bundlePath);
    return bundle ? imageWithResource(*bundle, fileName, maximumPixelSide) : nullptr;
}

rt::Ref<Image> Image::imageWithFileAtHostPath(const std::filesystem::path& path, double scale) {
    const core::FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    auto bitmap = decodedOpenFile(file, cacheKey("host", path.string(), kMaximumPixelSide),
                                  kMaximumPixelSide);
    if (!bitmap) return nullptr;
    const double reduction = bitmap->reduction;
    return rt::make<Image>(std::move(bitmap), scale / reduction, RenderingMode::Automatic);
}

rt::Ref<Image> Image::imageWithPngData(const std::vector<std::uint8_t>& bytes, double scale) {
    auto bitmap = PngDecoder::decode(bytes);
    if (!bitmap) return nullptr;
    return rt::make<Image>(std::make_shared<const Bitmap>(std::move(*bitmap)), scale,
                           RenderingMode::Automatic);
}

rt::Ref<Image> Image::imageWithRenderingMode(RenderingMode mode) const {
    const auto index = static_cast<std::size_t>(mode);
    if (index >= _variants.size()) return rt::make<Image>(_bitmap, _scale, mode, _resourceName);
    std::lock_guard lock(_variantsMutex);
    rt::Ref<Image>& variant = _variants[index];
    if (!variant || variant->getClass()->generation() != rt::Runtime::generation())
        variant = rt::make<Image>(_bitmap, _scale, mode, _resourceName);
    return variant;
}

Size Image::size() const {
    if (!_bitmap) return {};
    return {_bitmap->width / _scale, _bitmap->height / _scale};
}

}  // namespace ui
