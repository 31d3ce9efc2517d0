#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/files/DeviceDirectory.h"
#include "core/files/FileVersion.h"
#include "core/unix/FileDescriptor.h"
#include "foundation/BundleWatch.h"
#include "rt/Object.h"
#include "rt/Ref.h"

namespace ui {

// A bundle's directory of the phone held open, so that its resources are opened relative to
// it instead of walking their device paths from the root each time. The directory is opened
// once within the device root (RESOLVE_IN_ROOT); its entries are opened beneath its
// descriptor (RESOLVE_BENEATH), and an entry that is a link leading elsewhere is resolved
// within the root from its full device path, as any device path is. A held directory is used
// while its path is known to lead to it still: by a watch along the path (one read of an
// inotify descriptor, no walk) for a path without links; by opening the path again and
// comparing the directory's identity for a path through a link. Otherwise (moved, removed,
// replaced, a directory on its path swapped) it is opened again by its path. A path where no
// directory was found is watched too, and looked at again only when something came.
//
// A watched directory also keeps what callers made of its top-level plain files (a decoded
// image): the same watch reports the directory's entries and those files changed (written in
// place, through any of their names, renamed, removed), so a kept object is handed out again
// while nothing was reported since it was made, with no status call of its own.
class BundleDirectory {
  public:
    using EntryKind = core::DeviceDirectory::EntryKind;

    // A directory opened by devicePath after making the watch (none: the path has a link).
    BundleDirectory(std::string devicePath, core::FileDescriptor descriptor,
                    const struct stat& status, std::optional<BundleWatch> watch);

    // The directory at devicePath in the process's device root: the one held while it is
    // current, else opened anew; none when no directory is there.
    static std::shared_ptr<const BundleDirectory> open(const std::string& devicePath);

    const std::string& devicePath() const { return _devicePath; }
    // The device path of an entry ("en.lproj/icon.png").
    std::string devicePathOf(const std::string& relativePath) const;

    // Opens a relative path of the directory (flags as for open); invalid on failure.
    core::FileDescriptor openRelative(const std::string& relativePath, int flags) const;
    // What a relative path leads to (links followed within the root).
    EntryKind kindOf(const std::string& relativePath) const;
    // The version of a top-level entry that is itself a regular file (no link followed), by
    // one status call and no open; none for anything else.
    std::optional<FileVersion> versionOfPlainFile(const std::string& name) const;

    // The names of the localization directories ("en" for "en.lproj"), sorted; listed again
    // only when the directory's entries have changed.
    std::vector<std::string> localizations() const;

    // A top-level entry that is itself a regular file (no link followed), open for reading
    // and watched from before its status was taken, with the contents generation it was
    // opened in: what is made of it may be kept under that generation. None for anything
    // else, or when the directory's contents are not watched (a path through a link).
    struct WatchedFile {
        core::FileDescriptor descriptor;
        std::uint64_t generation = 0;
    };
    std::optional<WatchedFile> openWatchedPlainFile(const std::string& name) const;

    // Keeps an object made from the file `name` opened by openWatchedPlainFile (`variant`
    // tells apart objects made differently from one file; `bytes` is what it holds). The
    // objects kept by a directory hold at most kKeptBytes: when full, all are let go.
    static constexpr std::size_t kKeptBytes = std::size_t{16} << 20;
    void keep(const std::string& name, std::uint32_t variant, std::uint64_t generation,
              rt::Ref<rt::Object> object, std::size_t bytes) const;
    // The object kept for the file and variant, while nothing of the contents was reported
    // changed since it was made and it belongs to the current runtime world; else null.
    rt::Ref<rt::Object> kept(std::string_view name, std::uint32_t variant) const;

  private:
    bool isCurrent() const;

    struct Kept {
        std::uint64_t generation = 0;
        rt::Ref<rt::Object> object;
        std::size_t bytes = 0;
    };
    // By file name and variant; compared with views of names too.
    struct KeptOrder {
        using is_transparent = void;
        template <class A, class B>
        bool operator()(const A& a, const B& b) const {
            return std::tuple<std::string_view, std::uint32_t>(a.first, a.second) <
                   std::tuple<std::string_view, std::uint32_t>(b.first, b.second);
        }
    };

    std::string _devicePath;
    core::FileDescriptor _descriptor;
    struct stat _status;
    std::optional<BundleWatch> _watch;
    mutable std::mutex _mutex;
    mutable std::optional<struct timespec> _listedAt;  // the directory's change time when listed
    mutable std::vector<std::string> _localizations;
    mutable std::mutex _keptMutex;
    mutable std::map<std::pair<std::string, std::uint32_t>, Kept, KeptOrder> _kept;
    mutable std::size_t _keptBytes = 0;
};

}  // namespace ui
