#include "foundation/BundleWatch.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace ui {

namespace {

constexpr std::uint32_t kPathEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                      IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
// The directory's entries: any of them added, removed, renamed, written or changed in status.
// Added to what the inode may already be watched for (a directory that is also on the path).
constexpr std::uint32_t kEntryEvents = kPathEvents | IN_MODIFY | IN_MASK_ADD;
// A file itself, whatever name it is written through.
constexpr std::uint32_t kFileEvents =
    IN_MODIFY | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_MASK_ADD;

// Watches what an open descriptor refers to; the watch descriptor, or -1.
int watchOpenDescriptor(int inotify, int descriptor, std::uint32_t events) {
    const std::string magic = "/proc/self/fd/" + std::to_string(descriptor);
    return ::inotify_add_watch(inotify, magic.c_str(), events);
}

// The components of an absolute path ("/a//b/./c" -> a, b, c); none with a ".." component.
std::optional<std::vector<std::string>> componentsOf(const std::string& devicePath) {
    std::vector<std::string> components;
    std::size_t start = 0;
    while (start < devicePath.size()) {
        std::size_t end = devicePath.find('/', start);
        if (end == std::string::npos) end = devicePath.size();
        std::string part = devicePath.substr(start, end - start);
        start = end + 1;
        if (part == "..") return std::nullopt;
        if (!part.empty() && part != ".") components.push_back(std::move(part));
    }
    return components;
}

}  // namespace

std::optional<BundleWatch> BundleWatch::along(const core::RootedFiles& files,
                                              const std::string& devicePath) {
    const auto components = componentsOf(devicePath);
    if (!devicePath.starts_with('/') || !components) return std::nullopt;
    BundleWatch watch{core::FileDescriptor(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))};
    if (!watch._inotify.valid()) return std::nullopt;
    std::string directory = "/";
    for (const std::string& component : *components) {
        // Each directory is watched before the next is opened, so a swap of the next one
        // after its open is an event of a directory already watched.
        const core::FileDescriptor held = files.openWithoutLinks(directory, O_PATH | O_DIRECTORY);
        // A missing directory: the one before it, watched, tells when it comes.
        if (!held.valid()) {
            if (errno == ENOENT && directory != "/") return std::optional(std::move(watch));
            return std::nullopt;
        }
        const int descriptor = watchOpenDescriptor(watch._inotify.get(), held.get(), kPathEvents);
        if (descriptor < 0) return std::nullopt;
        watch._nextNameByWatch[descriptor] = component;
        directory += (directory.size() > 1 ? "/" : "") + component;
    }
    return watch;
}

BundleWatch::BundleWatch(BundleWatch&& other) noexcept
    : _inotify(std::move(other._inotify)),
      _nextNameByWatch(std::move(other._nextNameByWatch)),
      _entriesWatch(other._entriesWatch),
      _fileWatches(std::move(other._fileWatches)),
      _changed(other._changed),
      _contentsGeneration(other._contentsGeneration.load()) {}

bool BundleWatch::watchEntries(int directoryDescriptor) {
    std::lock_guard lock(_mutex);
    _entriesWatch = watchOpenDescriptor(_inotify.get(), directoryDescriptor, kEntryEvents);
    return _entriesWatch >= 0;
}

bool BundleWatch::watchFile(int fileDescriptor) const {
    std::lock_guard lock(_mutex);
    const int watch = watchOpenDescriptor(_inotify.get(), fileDescriptor, kFileEvents);
    if (watch < 0) return false;
    _fileWatches.insert(watch);
    return true;
}

bool BundleWatch::unchanged() const {
    std::lock_guard lock(_mutex);
    if (!_changed && readChange()) _changed = true;
    return !_changed;
}

bool BundleWatch::readChange() const {
    alignas(inotify_event) char buffer[4096];
    bool changed = false;
    bool contentsChanged = false;
    for (;;) {
        const ssize_t length = ::read(_inotify.get(), buffer, sizeof buffer);
        if (length < 0 && errno == EINTR) continue;
        if (length <= 0) {
            // Events may have been lost: both the path and the contents count as changed.
            if (length < 0 && errno != EAGAIN) changed = contentsChanged = true;
            if (contentsChanged) _contentsGeneration.fetch_add(1, std::memory_order_acq_rel);
            return changed;
        }
        for (ssize_t offset = 0; offset < length;) {
            inotify_event event;
            std::memcpy(&event, buffer + offset, sizeof event);
            const char* name = event.len > 0 ? buffer + offset + sizeof event : nullptr;
            offset += static_cast<ssize_t>(sizeof event + event.len);
            if ((event.mask & IN_Q_OVERFLOW) != 0) {
                changed = contentsChanged = true;
                continue;
            }
            const bool ofContents = event.wd == _entriesWatch || _fileWatches.contains(event.wd);
            if (ofContents) contentsChanged = true;
            if ((event.mask & IN_IGNORED) != 0) _fileWatches.erase(event.wd);
            const bool onPath = _nextNameByWatch.contains(event.wd);
            // An event of a watch neither on the path nor of the contents concerns the path.
            if ((onPath || !ofContents) &&
                ((event.mask & IN_IGNORED) != 0 || concernsPath(event.wd, name)))
                changed = true;
        }
    }
}

bool BundleWatch::concernsPath(int watch, const char* name) const {
    // An event of the directory itself (no name) always concerns the path.
    if (name == nullptr) return true;
    const auto found = _nextNameByWatch.find(watch);
    return found == _nextNameByWatch.end() || found->second == name;
}

}  // namespace ui
