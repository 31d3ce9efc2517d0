#include "core/unix/FileDescriptor.h"

#include <unistd.h>

namespace core {

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) reset(std::exchange(other._fd, -1));
    return *this;
}

void FileDescriptor::reset(int fd) {
    if (_fd >= 0) ::close(_fd);
    _fd = fd;
}

}  // namespace core
