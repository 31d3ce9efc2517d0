#include "core/files/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace core {

std::optional<FileLock> FileLock::acquire(const DeviceDirectory& directory, std::string_view name,
                                          std::chrono::milliseconds wait) {
    FileDescriptor file = directory.openEntry(name, O_RDWR | O_CREAT | O_NOFOLLOW, 0644);
    if (!file.valid()) return std::nullopt;
    // Another process's lock is waited for in real time, whatever clock the caller runs on:
    // the holder is elsewhere, so only polling with a bound keeps this wait finite.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    auto pause = std::chrono::microseconds(500);
    for (;;) {
        if (::flock(file.get(), LOCK_EX | LOCK_NB) == 0) return FileLock(std::move(file));
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return std::nullopt;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            errno = EWOULDBLOCK;
            return std::nullopt;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::microseconds(20000));
    }
}

}  // namespace core
