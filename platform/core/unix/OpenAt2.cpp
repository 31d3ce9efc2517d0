#include "core/unix/OpenAt2.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

namespace core {

namespace {
constexpr int kAttemptsWhileRenamed = 1000;
}

int openat2Descriptor(int directory, const char* path, int flags, mode_t mode,
                      std::uint64_t resolve) {
    open_how how{};
    how.flags = static_cast<std::uint64_t>(flags | O_CLOEXEC);
    how.mode = (flags & O_CREAT) ? mode : 0;
    how.resolve = resolve;
    for (int attempt = 0; attempt < kAttemptsWhileRenamed; ++attempt) {
        const long descriptor = ::syscall(SYS_openat2, directory, path, &how, sizeof how);
        if (descriptor >= 0) return static_cast<int>(descriptor);
        if (errno != EAGAIN && errno != EINTR) return -1;
    }
    return -1;
}

}  // namespace core
