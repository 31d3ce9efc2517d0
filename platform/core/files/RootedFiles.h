#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

#include "core/files/DeviceDirectory.h"
#include "core/unix/FileDescriptor.h"

namespace core {

// The simulated phone's files, opened by the kernel within the device root: every device path
// is resolved by openat2 with RESOLVE_IN_ROOT on a descriptor of the root, so an absolute link
// inside the root resolves inside it (as on the phone) and neither ".." nor a link, nor a
// directory swapped for one while it is being used, reaches anything outside the root.
class RootedFiles {
  public:
    // The files of the process's device root (DeviceRoot); none when no root is set or it
    // cannot be opened.
    static std::optional<RootedFiles> ofDeviceRoot();

    explicit RootedFiles(FileDescriptor root) : _root(std::move(root)) {}

    // Splits an absolute device path into its directory and the name in it
    // ("/a/b/c.plist" -> "/a/b", "c.plist"); none when the path names no entry.
    static std::optional<std::pair<std::string, std::string>> split(std::string_view devicePath);

    // Opens a device path (flags as for open, O_CLOEXEC added); an invalid descriptor when it
    // is missing, not absolute or cannot be opened within the root, with errno telling why.
    FileDescriptor open(std::string_view devicePath, int flags, mode_t mode = 0) const;
    // The same for a path none of whose components is a symbolic link (ELOOP when one is).
    FileDescriptor openWithoutLinks(std::string_view devicePath, int flags) const;

    // The whole content of the regular file at devicePath (bounded as readWholeFile is); none
    // when it is missing, unreadable or no regular file.
    std::optional<std::string> readFile(std::string_view devicePath) const;

    std::optional<DeviceDirectory> openDirectory(std::string_view devicePath) const;

    // Opens the directory at devicePath, creating the missing ones step by step: each is
    // made with mkdirat in the directory opened before it.
    std::optional<DeviceDirectory> createDirectories(std::string_view devicePath) const;

  private:
    FileDescriptor _root;
};

// The whole content of the device file at devicePath within the process's device root; none
// when there is no root, or the file is missing, unreadable or no regular file.
std::optional<std::string> readDeviceFile(std::string_view devicePath);

}  // namespace core
