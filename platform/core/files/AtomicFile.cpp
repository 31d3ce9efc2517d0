#include "core/files/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <random>

namespace core {

namespace {

constexpr int kTemporaryNameAttempts = 16;

// Owns an open file descriptor and closes it when it goes out of scope.
class ScopedDescriptor {
  public:
    explicit ScopedDescriptor(int descriptor) : _descriptor(descriptor) {}
    ScopedDescriptor(const ScopedDescriptor&) = delete;
    ScopedDescriptor& operator=(const ScopedDescriptor&) = delete;
    ~ScopedDescriptor() {
        if (_descriptor >= 0) ::close(_descriptor);
    }
    int get() const { return _descriptor; }
    bool isOpen() const { return _descriptor >= 0; }
    // Closes now, answering whether the close (which can report a deferred write error) worked.
    bool close() {
        const int descriptor = _descriptor;
        _descriptor = -1;
        return ::close(descriptor) == 0;
    }

  private:
    int _descriptor;
};

}  // namespace

bool writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string temporaryNameFor(std::string_view fileName) {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    return "." + std::string(fileName) + "." + std::to_string(::getpid()) + "." +
           std::to_string(generator()) + ".tmp";
}

namespace {

// Creates a new file named after path in the same directory (".<name>.<random>.tmp").
std::filesystem::path createTemporaryBeside(const std::filesystem::path& path, int& descriptor) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        std::filesystem::path temporary = path;
        temporary.replace_filename(temporaryNameFor(path.filename().string()));
        descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) return temporary;
        if (errno != EEXIST) break;
    }
    descriptor = -1;
    return {};
}

void keepPermissionsOf(const std::filesystem::path& path, int descriptor) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(descriptor, existing.st_mode & 07777);
}

void syncDirectoryOf(const std::filesystem::path& path) {
    const std::filesystem::path directory =
        path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    ScopedDescriptor descriptor(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (descriptor.isOpen())
        ::fsync(descriptor.get());  // the rename is done; a failure here cannot be undone
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    if (path.filename().empty()) return false;
    int rawDescriptor = -1;
    const std::filesystem::path temporary = createTemporaryBeside(path, rawDescriptor);
    ScopedDescriptor descriptor(rawDescriptor);
    if (!descriptor.isOpen()) return false;
    keepPermissionsOf(path, descriptor.get());
    const bool written =
        writeAll(descriptor.get(), bytes) && ::fsync(descriptor.get()) == 0 && descriptor.close();
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncDirectoryOf(path);
    return true;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    ScopedDescriptor descriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!descriptor.isOpen()) return std::nullopt;
    return readWholeDescriptor(descriptor.get());
}

std::optional<std::string> readWholeDescriptor(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<std::size_t>(status.st_size) > kMaxReadableFileSize)
        return std::nullopt;
    std::string content;
    // One byte more than the size, so that the read that finds the end needs no growth.
    content.resize(static_cast<std::size_t>(status.st_size) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size()) {
            if (content.size() >= kMaxReadableFileSize + 1)
                return std::nullopt;  // grew past the limit while being read
            content.resize(std::min(kMaxReadableFileSize + 1, content.size() + 4096));
        }
        const ssize_t count = ::read(descriptor, content.data() + filled, content.size() - filled);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return std::nullopt;
        if (count == 0) break;
        filled += static_cast<std::size_t>(count);
    }
    content.resize(filled);
    return content;
}

}  // namespace core
