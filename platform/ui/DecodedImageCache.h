#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "core/files/FileVersion.h"
#include "ui/Image.h"

namespace ui {

// Decoded image files by path, each kept while its file stays the same version, so an image
// shown in many places (the same glyph on every row) is read and decoded once. Bitmaps are
// immutable and shared by the images made from them. Bounded by bytes (pixels and
// bookkeeping): the least recently used entries go first, and a bitmap larger than the
// whole bound is never kept.
class DecodedImageCache {
  public:
    static constexpr std::size_t kCapacityBytes = std::size_t{32} << 20;

    // The process's cache, bounded by kCapacityBytes.
    static DecodedImageCache& shared();

    explicit DecodedImageCache(std::size_t capacityBytes = kCapacityBytes)
        : _capacityBytes(capacityBytes) {}

    std::shared_ptr<const Bitmap> find(const std::string& path, const FileVersion& version);
    void store(const std::string& path, const FileVersion& version,
               std::shared_ptr<const Bitmap> bitmap);

    // What keeping a bitmap under path costs: its pixels and the entry's bookkeeping.
    static std::size_t costOf(const std::string& path, const Bitmap& bitmap);
    // Bytes held now (never more than the capacity) and entries held.
    std::size_t bytes() const;
    std::size_t count() const;

  private:
    struct Entry {
        std::string path;
        FileVersion version;
        std::shared_ptr<const Bitmap> bitmap;
        std::size_t bytes = 0;
    };
    using Entries = std::list<Entry>;  // most recently used first

    void erase(Entries::iterator entry);

    const std::size_t _capacityBytes;
    mutable std::mutex _mutex;
    Entries _entries;
    std::unordered_map<std::string, Entries::iterator> _byPath;
    std::size_t _bytes = 0;
};

}  // namespace ui
