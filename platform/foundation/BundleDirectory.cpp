#include "foundation/BundleDirectory.h"

#include <fcntl.h>
#include <linux/openat2.h>

#include <algorithm>
#include <cerrno>
#include <map>

#include "core/files/RootedFiles.h"
#include "core/paths/DeviceRoot.h"
#include "core/unix/OpenAt2.h"
#include "rt/Class.h"
#include "rt/NoDestroy.h"
#include "rt/Runtime.h"

namespace ui {

namespace {

constexpr std::uint64_t kBeneath = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
constexpr const char* kLocalizationSuffix = ".lproj";
// Directories held at once (one per bundle and device root in use); the oldest go first.
// Each holds an inotify instance, of which a user has few (128 by default).
constexpr std::size_t kHeldDirectories = 8;
// Room for a device root's path in a key, reserved at once.
constexpr std::size_t kKeyCapacity = 128;

bool sameTime(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// What was found at a device path: a directory, or none with a watch telling when one may
// have appeared (none when that cannot be watched).
struct Found {
    std::shared_ptr<const BundleDirectory> directory;
    std::shared_ptr<const BundleWatch> absence;
};

// What was found at each device path, by device root and device path.
class HeldDirectories {
  public:
    std::optional<Found> find(const std::string& key) {
        std::lock_guard lock(_mutex);
        const auto found = _byKey.find(key);
        if (found == _byKey.end()) return std::nullopt;
        return found->second.found;
    }
    void store(const std::string& key, Found found) {
        std::lock_guard lock(_mutex);
        if (_byKey.size() >= kHeldDirectories && !_byKey.contains(key)) {
            const auto oldest = std::min_element(
                _byKey.begin(), _byKey.end(),
                [](const auto& a, const auto& b) { return a.second.stored < b.second.stored; });
            _byKey.erase(oldest);
        }
        _byKey[key] = Held{std::move(found), ++_stores};
    }
    void forget(const std::string& key) {
        std::lock_guard lock(_mutex);
        _byKey.erase(key);
    }

  private:
    struct Held {
        Found found;
        std::uint64_t stored = 0;
    };
    std::mutex _mutex;
    std::map<std::string, Held> _byKey;
    std::uint64_t _stores = 0;
};

HeldDirectories& heldDirectories() {
    static rt::NoDestroy<HeldDirectories> held;
    return *held;
}

// Opens the directory at devicePath: watched along its path when no link is on it (the watch
// made first, so that nothing between the two goes unseen), else unwatched. When nothing is
// there, the watch tells when something may have come.
Found openByPath(const std::string& devicePath) {
    const auto files = core::RootedFiles::ofDeviceRoot();
    if (!files) return {};
    std::optional<BundleWatch> watch = BundleWatch::along(*files, devicePath);
    core::FileDescriptor descriptor;
    if (watch) {
        descriptor = files->openWithoutLinks(devicePath, O_RDONLY | O_DIRECTORY);
        if (!descriptor.valid() && (errno == ENOENT || errno == ENOTDIR))
            return Found{nullptr, std::make_shared<const BundleWatch>(std::move(*watch))};
    }
    if (!descriptor.valid()) {
        watch.reset();
        descriptor = files->open(devicePath, O_RDONLY | O_DIRECTORY);
    }
    // Unwatched entries only mean that nothing made of the files is kept.
    if (watch && descriptor.valid()) watch->watchEntries(descriptor.get());
    struct stat status {};
    if (!descriptor.valid() || ::fstat(descriptor.get(), &status) != 0) return {};
    std::string path = devicePath;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return Found{std::make_shared<const BundleDirectory>(std::move(path), std::move(descriptor),
                                                         status, std::move(watch)),
                 nullptr};
}

bool sameIdentity(const struct stat& a, const struct stat& b) {
    return a.st_ino == b.st_ino && a.st_dev == b.st_dev;
}

}  // namespace

BundleDirectory::BundleDirectory(std::string devicePath, core::FileDescriptor descriptor,
                                 const struct stat& status, std::optional<BundleWatch> watch)
    : _devicePath(std::move(devicePath)),
      _descriptor(std::move(descriptor)),
      _status(status),
      _watch(std::move(watch)) {}

std::shared_ptr<const BundleDirectory> BundleDirectory::open(const std::string& devicePath) {
    std::string key;
    key.reserve(kKeyCapacity + devicePath.size());
    if (!core::DeviceRoot::appendTo(key)) return nullptr;
    key += '\0';
    key += devicePath;
    if (const auto held = heldDirectories().find(key)) {
        const bool current =
            held->directory ? held->directory->isCurrent() : held->absence->unchanged();
        if (current) return held->directory;
    }
    Found opened = openByPath(devicePath);
    if (opened.directory || opened.absence)
        heldDirectories().store(key, opened);
    else
        heldDirectories().forget(key);
    return opened.directory;
}

bool BundleDirectory::isCurrent() const {
    if (_watch) return _watch->unchanged();
    // A path through a link: where it leads now is known only by following it.
    const auto files = core::RootedFiles::ofDeviceRoot();
    const core::FileDescriptor now =
        files ? files->open(_devicePath, O_PATH | O_DIRECTORY) : core::FileDescriptor();
    struct stat status {};
    return now.valid() && ::fstat(now.get(), &status) == 0 && sameIdentity(status, _status);
}

std::string BundleDirectory::devicePathOf(const std::string& relativePath) const {
    return _devicePath == "/" ? "/" + relativePath : _devicePath + "/" + relativePath;
}

core::FileDescriptor BundleDirectory::openRelative(const std::string& relativePath,
                                                   int flags) const {
    if (relativePath.empty() || relativePath.front() == '/') return core::FileDescriptor();
    core::FileDescriptor beneath(
        core::openat2Descriptor(_descriptor.get(), relativePath.c_str(), flags, 0, kBeneath));
    if (beneath.valid() || errno != EXDEV) return beneath;
    // A link leading out of the directory: resolved as its device path is, within the root.
    const auto files = core::RootedFiles::ofDeviceRoot();
    return files ? files->open(devicePathOf(relativePath), flags) : core::FileDescriptor();
}

BundleDirectory::EntryKind BundleDirectory::kindOf(const std::string& relativePath) const {
    const core::FileDescriptor entry = openRelative(relativePath, O_PATH);
    struct stat status {};
    if (!entry.valid() || ::fstat(entry.get(), &status) != 0) return EntryKind::Missing;
    if (S_ISREG(status.st_mode)) return EntryKind::File;
    if (S_ISDIR(status.st_mode)) return EntryKind::Directory;
    return EntryKind::Other;
}

std::optional<FileVersion> BundleDirectory::versionOfPlainFile(const std::string& name) const {
    if (!core::DeviceDirectory::isEntryName(name)) return std::nullopt;
    struct stat status {};
    if (::fstatat(_descriptor.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    return FileVersion::ofStatus(status);
}

std::optional<BundleDirectory::WatchedFile> BundleDirectory::openWatchedPlainFile(
    const std::string& name) const {
    if (!_watch || !_watch->watchesEntries() || !core::DeviceDirectory::isEntryName(name))
        return std::nullopt;
    // Taken first: a change from here on counts a later generation, so whatever is made of
    // what is read below is never kept past it.
    const std::uint64_t generation = _watch->contentsGeneration();
    const core::FileDescriptor entry(
        ::openat(_descriptor.get(), name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat status {};
    if (!entry.valid() || ::fstat(entry.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    // Watched before it is read, so no write after the status below goes unseen; opened for
    // reading through the entry already checked, so nothing swapped in meanwhile is opened.
    if (!_watch->watchFile(entry.get())) return std::nullopt;
    const std::string magic = "/proc/self/fd/" + std::to_string(entry.get());
    core::FileDescriptor file(::open(magic.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat opened {};
    if (!file.valid() || ::fstat(file.get(), &opened) != 0 || !sameIdentity(opened, status))
        return std::nullopt;
    return WatchedFile{std::move(file), generation};
}

void BundleDirectory::keep(const std::string& name, std::uint32_t variant, std::uint64_t generation,
                           rt::Ref<rt::Object> object, std::size_t bytes) const {
    if (!object || bytes > kKeptBytes) return;
    std::lock_guard lock(_keptMutex);
    auto key = std::make_pair(name, variant);
    if (const auto found = _kept.find(key); found != _kept.end()) {
        _keptBytes -= found->second.bytes;
        _kept.erase(found);
    }
    if (_keptBytes + bytes > kKeptBytes) {
        _kept.clear();
        _keptBytes = 0;
    }
    _kept.emplace(std::move(key), Kept{generation, std::move(object), bytes});
    _keptBytes += bytes;
}

rt::Ref<rt::Object> BundleDirectory::kept(std::string_view name, std::uint32_t variant) const {
    if (!_watch) return nullptr;
    const std::uint64_t generation = _watch->contentsGeneration();
    std::lock_guard lock(_keptMutex);
    const auto found = _kept.find(std::make_pair(name, variant));
    if (found == _kept.end() || found->second.generation != generation ||
        found->second.object->getClass()->generation() != rt::Runtime::generation())
        return nullptr;
    return found->second.object;
}

std::vector<std::string> BundleDirectory::localizations() const {
    struct stat now {};
    if (::fstat(_descriptor.get(), &now) != 0) return {};
    std::lock_guard lock(_mutex);
    if (_listedAt && sameTime(*_listedAt, now.st_ctim)) return _localizations;
    _localizations.clear();
    const core::DeviceDirectory listing(
        core::FileDescriptor(::openat(_descriptor.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)));
    const std::string suffix = kLocalizationSuffix;
    for (const std::string& name : listing.list()) {
        if (name.size() > suffix.size() && name.ends_with(suffix) &&
            listing.kindOf(name) == EntryKind::Directory)
            _localizations.push_back(name.substr(0, name.size() - suffix.size()));
    }
    std::sort(_localizations.begin(), _localizations.end());
    _listedAt = now.st_ctim;
    return _localizations;
}

}  // namespace ui
