#pragma once

#include <utility>

namespace core {

// Owns a POSIX file descriptor and closes it once.
class FileDescriptor {
  public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : _fd(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : _fd(std::exchange(other._fd, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { reset(); }

    int get() const { return _fd; }
    bool valid() const { return _fd >= 0; }
    void reset(int fd = -1);
    // Gives up ownership: answers the descriptor, which the caller now closes.
    int release() { return std::exchange(_fd, -1); }

  private:
    int _fd = -1;
};

}  // namespace core
