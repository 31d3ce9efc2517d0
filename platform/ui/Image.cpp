#include "ui/Image.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "core/paths/DeviceRoot.h"
#include "rt/Make.h"
#include "rt/NoDestroy.h"
#include "ui/PngDecoder.h"

namespace ui {

namespace {

// Files larger than this are not images the phone would show.
constexpr std::uintmax_t kMaximumFileSize = 64u * 1024 * 1024;

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

// What identifies one version of a file: replacing it (a new inode) or rewriting it (a new
// size or modification time) makes another version.
struct FileVersion {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t changedNanoseconds = 0;

    friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

std::optional<FileVersion> versionOf(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
    return FileVersion{static_cast<std::uint64_t>(info.st_dev),
                       static_cast<std::uint64_t>(info.st_ino),
                       static_cast<std::int64_t>(info.st_size),
                       info.st_mtim.tv_sec * kNanosecondsPerSecond + info.st_mtim.tv_nsec,
                       info.st_ctim.tv_sec * kNanosecondsPerSecond + info.st_ctim.tv_nsec};
}

// Decoded image files by path, each kept while its file stays the same version, so an image
// shown in many places (the same glyph on every row) is read and decoded once. Bitmaps are
// immutable and shared by the images made from them. Bounded: the least recently used entry
// goes when the cache is full.
class DecodedFileCache {
  public:
    static constexpr std::size_t kCapacity = 128;

    static DecodedFileCache& shared() {
        static rt::NoDestroy<DecodedFileCache> cache;
        return *cache;
    }

    std::shared_ptr<const Bitmap> find(const std::string& path, const FileVersion& version) {
        std::lock_guard lock(_mutex);
        auto found = _entries.find(path);
        if (found == _entries.end() || !(found->second.version == version)) return nullptr;
        found->second.lastUse = ++_useCounter;
        return found->second.bitmap;
    }

    void store(const std::string& path, const FileVersion& version,
               std::shared_ptr<const Bitmap> bitmap) {
        std::lock_guard lock(_mutex);
        if (_entries.size() >= kCapacity && !_entries.contains(path)) evictLeastRecentlyUsed();
        _entries[path] = Entry{version, std::move(bitmap), ++_useCounter};
    }

  private:
    struct Entry {
        FileVersion version;
        std::shared_ptr<const Bitmap> bitmap;
        std::uint64_t lastUse = 0;
    };

    void evictLeastRecentlyUsed() {
        auto oldest = std::min_element(
            _entries.begin(), _entries.end(),
            [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
        if (oldest != _entries.end()) _entries.erase(oldest);
    }

    std::mutex _mutex;
    std::map<std::string, Entry> _entries;
    std::uint64_t _useCounter = 0;
};

// The file's pixels: from the cache while the file is unchanged, else read and decoded.
std::shared_ptr<const Bitmap> decodedFile(const std::filesystem::path& path) {
    const auto version = versionOf(path);
    if (!version) return nullptr;
    const std::string key = path.string();
    if (auto cached = DecodedFileCache::shared().find(key, *version)) return cached;
    const auto bytes = readFile(path);
    if (!bytes) return nullptr;
    auto bitmap = PngDecoder::decode(*bytes);
    if (!bitmap) return nullptr;
    auto shared = std::make_shared<const Bitmap>(std::move(*bitmap));
    DecodedFileCache::shared().store(key, *version, shared);
    return shared;
}

}  // namespace

Image::Image() : _scale(1), _renderingMode(RenderingMode::Automatic) {}

Image::Image(std::shared_ptr<const Bitmap> bitmap, double scale, RenderingMode mode)
    : _bitmap(std::move(bitmap)), _scale(scale > 0 ? scale : 1), _renderingMode(mode) {}

rt::Ref<Image> Image::imageWithContentsOfFile(const std::string& devicePath) {
    const auto path = core::DeviceRoot::map(devicePath);
    if (!path) return nullptr;
    rt::Ref<Image> image = imageWithFileAtHostPath(*path, scaleFromFileName(*path));
    if (image) image->_resourceName = resourceNameOf(*path);
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
