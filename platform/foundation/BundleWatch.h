#pragma once

#include <map>
#include <mutex>
#include <optional>
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
class BundleWatch {
  public:
    // Watches the directories holding each component of devicePath, as far as they exist (so
    // that the watch tells also when a missing one may have come); none when the path has a
    // ".." component, a directory along it is a link, or inotify is unavailable.
    static std::optional<BundleWatch> along(const core::RootedFiles& files,
                                            const std::string& devicePath);

    BundleWatch(BundleWatch&& other) noexcept;
    BundleWatch& operator=(BundleWatch&&) = delete;

    // False once anything along the path has changed (and from then on).
    bool unchanged() const;

  private:
    explicit BundleWatch(core::FileDescriptor inotify) : _inotify(std::move(inotify)) {}
    // Reads the pending events; true when one of them concerns the path.
    bool readChange() const;
    bool concernsPath(int watch, const char* name) const;

    core::FileDescriptor _inotify;
    // The component each watched directory holds next on the path, by watch descriptor.
    std::map<int, std::string> _nextNameByWatch;
    mutable std::mutex _mutex;
    mutable bool _changed = false;
};

}  // namespace ui
