#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/files/FileVersion.h"
#include "ui/Image.h"

namespace ui {

// Decoded image files by path, each kept while its file stays the same version, so an image
// shown in many places (the same glyph on every row) is read and decoded once. A file that
// failed to decode is remembered as such (a null bitmap) for its version, so a corrupt file is
// not decoded again at every use. Bitmaps are immutable and shared by the images made from
// them. Bounded by bytes (pixels and bookkeeping): the least recently used entries go first,
// and a bitmap larger than the whole bound is never kept.
class DecodedImageCache {
  public:
    static constexpr std::size_t kCapacityBytes = std::size_t{32} << 20;

    // The process's cache, bounded by kCapacityBytes.
    static DecodedImageCache& shared();

    explicit DecodedImageCache(std::size_t capacityBytes = kCapacityBytes)
        : _capacityBytes(capacityBytes) {}

    // What is kept for this version of the file: its bitmap, or null when it failed to
    // decode; none when nothing is kept for it.
    std::optional<std::shared_ptr<const Bitmap>> find(const std::string& path,
                                                      const FileVersion& version);
    // Keeps the bitmap (null: the file failed to decode) for this version of the file.
    void store(const std::string& path, const FileVersion& version,
               std::shared_ptr<const Bitmap> bitmap);

    // What keeping a bitmap (or a failure, null) under path costs: its pixels and the
    // entry's bookkeeping.
    static std::size_t costOf(const std::string& path, const Bitmap* bitmap);
    // Bytes held now (never more than the capacity) and entries held.
    std::size_t bytes() const;
    std::size_t count() const;
    // Entries that remember a failed decode.
    std::size_t failureCount() const;

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
