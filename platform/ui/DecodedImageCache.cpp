#include "ui/DecodedImageCache.h"

#include "rt/NoDestroy.h"

namespace ui {

namespace {

// What an entry costs besides its pixels: its list node, its index entry and the bitmap's
// control block, roughly.
constexpr std::size_t kEntryOverheadBytes = 256;

}  // namespace

DecodedImageCache& DecodedImageCache::shared() {
    static rt::NoDestroy<DecodedImageCache> cache;
    return *cache;
}

std::size_t DecodedImageCache::costOf(const std::string& path, const Bitmap* bitmap) {
    return (bitmap ? bitmap->rgba.size() : 0) + 2 * path.size() + kEntryOverheadBytes;
}

std::optional<std::shared_ptr<const Bitmap>> DecodedImageCache::find(const std::string& path,
                                                                     const FileVersion& version) {
    std::lock_guard lock(_mutex);
    const auto found = _byPath.find(path);
    if (found == _byPath.end() || !(found->second->version == version)) return std::nullopt;
    _entries.splice(_entries.begin(), _entries, found->second);
    return found->second->bitmap;
}

void DecodedImageCache::store(const std::string& path, const FileVersion& version,
                              std::shared_ptr<const Bitmap> bitmap) {
    std::lock_guard lock(_mutex);
    if (const auto found = _byPath.find(path); found != _byPath.end()) erase(found->second);
    const std::size_t cost = costOf(path, bitmap.get());
    if (cost > _capacityBytes) return;
    while (_bytes + cost > _capacityBytes) erase(std::prev(_entries.end()));
    _entries.push_front(Entry{path, version, std::move(bitmap), cost});
    _byPath.emplace(path, _entries.begin());
    _bytes += cost;
}

void DecodedImageCache::erase(Entries::iterator entry) {
    _bytes -= entry->bytes;
    _byPath.erase(entry->path);
    _entries.erase(entry);
}

std::size_t DecodedImageCache::bytes() const {
    std::lock_guard lock(_mutex);
    return _bytes;
}

std::size_t DecodedImageCache::count() const {
    std::lock_guard lock(_mutex);
    return _entries.size();
}

std::size_t DecodedImageCache::failureCount() const {
    std::lock_guard lock(_mutex);
    std::size_t failures = 0;
    for (const Entry& entry : _entries) failures += entry.bitmap ? 0 : 1;
    return failures;
}

}  // namespace ui
