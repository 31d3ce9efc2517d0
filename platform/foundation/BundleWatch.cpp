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
        const std::string magic = "/proc/self/fd/" + std::to_string(held.get());
        const int descriptor =
            ::inotify_add_watch(watch._inotify.get(), magic.c_str(), kPathEvents);
        if (descriptor < 0) return std::nullopt;
        watch._nextNameByWatch[descriptor] = component;
        directory += (directory.size() > 1 ? "/" : "") + component;
    }
    return watch;
}

BundleWatch::BundleWatch(BundleWatch&& other) noexcept
    : _inotify(std::move(other._inotify)),
      _nextNameByWatch(std::move(other._nextNameByWatch)),
      _changed(other._changed) {}

bool BundleWatch::unchanged() const {
    std::lock_guard lock(_mutex);
    if (!_changed && readChange()) _changed = true;
    return !_changed;
}

bool BundleWatch::readChange() const {
    alignas(inotify_event) char buffer[4096];
    bool changed = false;
    for (;;) {
        const ssize_t length = ::read(_inotify.get(), buffer, sizeof buffer);
        if (length < 0 && errno == EINTR) continue;
        if (length <= 0) return changed || (length < 0 && errno != EAGAIN);
        for (ssize_t offset = 0; offset < length;) {
            inotify_event event;
            std::memcpy(&event, buffer + offset, sizeof event);
            const char* name = event.len > 0 ? buffer + offset + sizeof event : nullptr;
            if ((event.mask & (IN_Q_OVERFLOW | IN_IGNORED)) != 0 || concernsPath(event.wd, name))
                changed = true;
            offset += static_cast<ssize_t>(sizeof event + event.len);
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
