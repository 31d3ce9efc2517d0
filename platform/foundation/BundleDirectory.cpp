#include "foundation/BundleDirectory.h"

#include <fcntl.h>
#include <linux/openat2.h>

#include <algorithm>
#include <cerrno>
#include <map>

#include "core/files/RootedFiles.h"
#include "core/paths/DeviceRoot.h"
#include "core/unix/OpenAt2.h"
#include "rt/NoDestroy.h"

namespace ui {

namespace {

constexpr std::uint64_t kBeneath = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
constexpr const char* kLocalizationSuffix = ".lproj";
// Directories held at once (one per bundle and device root in use); the oldest go first.
constexpr std::size_t kHeldDirectories = 32;

bool sameTime(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// The held directories by device root and device path.
class HeldDirectories {
  public:
    std::shared_ptr<const BundleDirectory> find(const std::string& key) {
        std::lock_guard lock(_mutex);
        const auto found = _byKey.find(key);
        return found == _byKey.end() ? nullptr : found->second.directory;
    }
    void store(const std::string& key, std::shared_ptr<const BundleDirectory> directory) {
        std::lock_guard lock(_mutex);
        if (_byKey.size() >= kHeldDirectories && !_byKey.contains(key)) {
            const auto oldest = std::min_element(
                _byKey.begin(), _byKey.end(),
                [](const auto& a, const auto& b) { return a.second.stored < b.second.stored; });
            _byKey.erase(oldest);
        }
        _byKey[key] = Held{std::move(directory), ++_stores};
    }
    void forget(const std::string& key) {
        std::lock_guard lock(_mutex);
        _byKey.erase(key);
    }

  private:
    struct Held {
        std::shared_ptr<const BundleDirectory> directory;
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

std::shared_ptr<const BundleDirectory> openByPath(const std::string& devicePath) {
    const auto files = core::RootedFiles::ofDeviceRoot();
    if (!files) return nullptr;
    core::FileDescriptor descriptor = files->open(devicePath, O_RDONLY | O_DIRECTORY);
    struct stat status {};
    if (!descriptor.valid() || ::fstat(descriptor.get(), &status) != 0) return nullptr;
    std::string path = devicePath;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return std::make_shared<const BundleDirectory>(std::move(path), std::move(descriptor), status);
}

}  // namespace

BundleDirectory::BundleDirectory(std::string devicePath, core::FileDescriptor descriptor,
                                 const struct stat& status)
    : _devicePath(std::move(devicePath)), _descriptor(std::move(descriptor)), _status(status) {}

std::shared_ptr<const BundleDirectory> BundleDirectory::open(const std::string& devicePath) {
    const auto root = core::DeviceRoot::get();
    if (!root) return nullptr;
    const std::string key = root->string() + '\0' + devicePath;
    if (auto held = heldDirectories().find(key); held && held->isCurrent()) return held;
    auto opened = openByPath(devicePath);
    if (opened)
        heldDirectories().store(key, opened);
    else
        heldDirectories().forget(key);
    return opened;
}

bool BundleDirectory::isCurrent() const {
    struct stat now {};
    return ::fstat(_descriptor.get(), &now) == 0 && now.st_nlink > 0 &&
           now.st_ino == _status.st_ino && now.st_dev == _status.st_dev &&
           sameTime(now.st_ctim, _status.st_ctim);
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
