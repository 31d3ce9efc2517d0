#include "core/files/RootedFiles.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>

#include <cerrno>

#include "core/files/AtomicFile.h"
#include "core/paths/DeviceRoot.h"
#include "core/unix/OpenAt2.h"

namespace core {

namespace {

constexpr std::uint64_t kInRoot = RESOLVE_IN_ROOT | RESOLVE_NO_MAGICLINKS;

}  // namespace

std::optional<RootedFiles> RootedFiles::ofDeviceRoot() {
    const auto root = DeviceRoot::get();
    if (!root) return std::nullopt;
    FileDescriptor descriptor(::open(root->c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!descriptor.valid()) return std::nullopt;
    return RootedFiles(std::move(descriptor));
}

std::optional<std::pair<std::string, std::string>> RootedFiles::split(std::string_view devicePath) {
    if (!devicePath.starts_with('/')) return std::nullopt;
    const std::size_t slash = devicePath.rfind('/');
    std::string name(devicePath.substr(slash + 1));
    if (!DeviceDirectory::isEntryName(name)) return std::nullopt;
    std::string directory(devicePath.substr(0, slash == 0 ? 1 : slash));
    return std::make_pair(std::move(directory), std::move(name));
}

FileDescriptor RootedFiles::open(std::string_view devicePath, int flags, mode_t mode) const {
    if (!devicePath.starts_with('/')) {
        errno = EINVAL;
        return FileDescriptor();
    }
    const std::string path(devicePath);
    return FileDescriptor(openat2Descriptor(_root.get(), path.c_str(), flags, mode, kInRoot));
}

FileDescriptor RootedFiles::openWithoutLinks(std::string_view devicePath, int flags) const {
    if (!devicePath.starts_with('/')) {
        errno = EINVAL;
        return FileDescriptor();
    }
    const std::string path(devicePath);
    return FileDescriptor(
        openat2Descriptor(_root.get(), path.c_str(), flags, 0, kInRoot | RESOLVE_NO_SYMLINKS));
}

std::optional<std::string> RootedFiles::readFile(std::string_view devicePath) const {
    // Non-blocking, so that a pipe put in a file's place cannot hang the reader.
    const FileDescriptor file = open(devicePath, O_RDONLY | O_NONBLOCK);
    if (!file.valid()) return std::nullopt;
    return readWholeDescriptor(file.get());
}

std::optional<DeviceDirectory> RootedFiles::openDirectory(std::string_view devicePath) const {
    FileDescriptor directory = open(devicePath, O_RDONLY | O_DIRECTORY);
    if (!directory.valid()) return std::nullopt;
    return DeviceDirectory(std::move(directory));
}

std::optional<DeviceDirectory> RootedFiles::createDirectories(std::string_view devicePath) const {
    if (!devicePath.starts_with('/')) return std::nullopt;
    if (auto existing = openDirectory(devicePath)) return existing;
    FileDescriptor current = open("/", O_RDONLY | O_DIRECTORY);
    for (std::size_t start = 1; current.valid() && start <= devicePath.size();) {
        const std::size_t end = std::min(devicePath.find('/', start), devicePath.size());
        const std::string_view part = devicePath.substr(start, end - start);
        const std::string_view prefix = devicePath.substr(0, end);
        start = end + 1;
        if (part.empty() || part == ".") continue;
        FileDescriptor next = open(prefix, O_RDONLY | O_DIRECTORY);
        if (!next.valid() && errno == ENOENT && part != "..") {
            // Made inside the directory already open, never by a path resolved again.
            const std::string name(part);
            if (::mkdirat(current.get(), name.c_str(), 0755) != 0 && errno != EEXIST)
                return std::nullopt;
            next = open(prefix, O_RDONLY | O_DIRECTORY);
        }
        current = std::move(next);
    }
    if (!current.valid()) return std::nullopt;
    return DeviceDirectory(std::move(current));
}

std::optional<std::string> readDeviceFile(std::string_view devicePath) {
    const auto files = RootedFiles::ofDeviceRoot();
    if (!files) return std::nullopt;
    return files->readFile(devicePath);
}

}  // namespace core
