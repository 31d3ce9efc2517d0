#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "core/files/RootedFiles.h"
#include "core/unix/FileDescriptor.h"

namespace ui {

// Tells, without walking it, whether a device path may now lead to another directory than
// the one it led to: an inotify watch on each directory along the path (the device root
// first) reports an entry named as the path's next component created, removed or renamed,
// and a directory of the path itself moved, removed or changed in its permissions. Only a
// path without links can be watched so (a link's target may change with no event along the
// path), and only what happens after the watch is made is seen: open the path after making
// its watch. Safe to ask from several threads.
//
// The same descriptor can watch what the directory holds: its entries (created, removed,
// renamed, written or changed in their status) and chosen files themselves (written or
// changed through any of their names). Such a change leaves the path unchanged and counts
// one more contents generation, so that what was made of the files can be dropped.
class BundleWatch {
  public:
    // Watches the directories holding each component of devicePath, as far as they exist (so
    // that the watch tells also when a missing one may have come); none when the path has a
    // ".." component, a directory along it is a link, or inotify is unavailable.
    static std::optional<BundleWatch> along(const core::RootedFiles& files,
                                            const std::string& devicePath);

    BundleWatch(BundleWatch&& other) noexcept;
    BundleWatch& operator=(BundleWatch&&) = delete;

    // False once anything along the path has changed (and from then on). Reads the pending
    // events, the contents' ones included.
    bool unchanged() const;

    // Watches the entries of the directory at the end of the path (its open descriptor);
    // false when that cannot be watched.
    bool watchEntries(int directoryDescriptor);
    // Watches the file of an open descriptor (an O_PATH one will do) for writes and status
    // changes through any of its names; false when that cannot be watched.
    bool watchFile(int fileDescriptor) const;
    // Whether watchEntries succeeded.
    bool watchesEntries() const { return _entriesWatch >= 0; }
    // Counts the contents changes read so far (by unchanged): what was made of the files at
    // one count is current while the count stays the same.
    std::uint64_t contentsGeneration() const {
        return _contentsGeneration.load(std::memory_order_acquire);
    }

  private:
    explicit BundleWatch(core::FileDescriptor inotify) : _inotify(std::move(inotify)) {}
    // Reads the pending events; true when one of them concerns the path.
    bool readChange() const;
    bool concernsPath(int watch, const char* name) const;

    core::FileDescriptor _inotify;
    // The component each watched directory holds next on the path, by watch descriptor.
    std::map<int, std::string> _nextNameByWatch;
    int _entriesWatch = -1;
    mutable std::mutex _mutex;
    mutable std::set<int> _fileWatches;
    mutable bool _changed = false;
    mutable std::atomic<std::uint64_t> _contentsGeneration{0};
};

}  // namespace ui
