#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "core/files/DeviceDirectory.h"
#include "core/unix/FileDescriptor.h"

namespace core {

// An exclusive advisory lock (flock) on a lock file of a directory, shared by every process
// that takes the same file; released when the object goes.
class FileLock {
  public:
    // Takes the lock on `name` (created if missing) in directory, waiting at most `wait`;
    // none when it could not be had in time or the lock file cannot be opened (errno tells:
    // EWOULDBLOCK for a lock still held).
    static std::optional<FileLock> acquire(const DeviceDirectory& directory, std::string_view name,
                                           std::chrono::milliseconds wait);

  private:
    explicit FileLock(FileDescriptor file) : _file(std::move(file)) {}

    FileDescriptor _file;  // closing it releases the lock
};

}  // namespace core
