#include "core/files/DeviceDirectory.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>

#include "core/files/AtomicFile.h"
#include "core/unix/OpenAt2.h"

namespace core {

namespace {

// Names of the directory resolve below it only: no absolute link, no ".." out of it.
constexpr std::uint64_t kBeneath = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
constexpr int kTemporaryNameAttempts = 16;

// The process id in a temporary of fileName (".<fileName>.<pid>.<random>.tmp"); none when
// entry is no such temporary.
std::optional<pid_t> writerOfTemporary(std::string_view entry, std::string_view fileName) {
    const std::string prefix = "." + std::string(fileName) + ".";
    if (!entry.starts_with(prefix) || !entry.ends_with(".tmp")) return std::nullopt;
    std::string_view middle = entry.substr(prefix.size(), entry.size() - prefix.size() - 4);
    const std::size_t dot = middle.find('.');
    if (dot == std::string_view::npos) return std::nullopt;
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(middle.data(), middle.data() + dot, pid);
    if (error != std::errc() || end != middle.data() + dot || pid <= 0) return std::nullopt;
    return pid;
}

bool processIsGone(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

std::optional<pid_t> parsePid(std::string_view digits) {
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (error != std::errc() || end != digits.data() + digits.size() || pid <= 0)
        return std::nullopt;
    return pid;
}

// The writer of a temporary of any name ending in extension: ".<name><ext>.<pid>.<n>.tmp"
// or the older ".<name><ext>.tmp<pid>".
std::optional<pid_t> writerOfAnyTemporary(std::string_view entry, std::string_view extension) {
    if (!entry.starts_with('.')) return std::nullopt;
    const std::string marker = std::string(extension) + ".";
    const std::size_t at = entry.rfind(marker);
    if (at == std::string_view::npos || at < 2) return std::nullopt;
    const std::string_view rest = entry.substr(at + marker.size());
    if (rest.starts_with("tmp")) return parsePid(rest.substr(3));
    const std::size_t dot = rest.find('.');
    if (dot == std::string_view::npos || !rest.ends_with(".tmp")) return std::nullopt;
    const std::string_view random = rest.substr(dot + 1, rest.size() - dot - 5);
    if (random.empty() || !parsePid(random.substr(0, 1))) return std::nullopt;
    return parsePid(rest.substr(0, dot));
}

}  // namespace

bool DeviceDirectory::isEntryName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

FileDescriptor DeviceDirectory::openEntry(std::string_view name, int flags, mode_t mode) const {
    if (!isEntryName(name)) {
        errno = EINVAL;
        return FileDescriptor();
    }
    const std::string entry(name);
    return FileDescriptor(openat2Descriptor(descriptor(), entry.c_str(), flags, mode, kBeneath));
}

DeviceDirectory::FileRead DeviceDirectory::readFile(std::string_view name) const {
    FileRead read;
    const FileDescriptor file = openEntry(name, O_RDONLY | O_NONBLOCK);
    if (!file.valid()) {
        read.error = errno;
        read.exists = kindOf(name) != EntryKind::Missing;
        return read;
    }
    read.exists = true;
    read.bytes = readWholeDescriptor(file.get());
    if (!read.bytes) read.error = errno ? errno : EIO;
    return read;
}

DeviceDirectory::EntryKind DeviceDirectory::kindOf(std::string_view name) const {
    if (!isEntryName(name)) return EntryKind::Missing;
    const std::string entry(name);
    struct stat status {};
    if (::fstatat(descriptor(), entry.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return EntryKind::Missing;
    if (S_ISREG(status.st_mode)) return EntryKind::File;
    if (S_ISDIR(status.st_mode)) return EntryKind::Directory;
    if (S_ISLNK(status.st_mode)) return EntryKind::Link;
    return EntryKind::Other;
}

std::vector<std::string> DeviceDirectory::list() const {
    std::vector<std::string> names;
    // The listing reads its own descriptor of this very directory, never a path.
    const int listing = ::openat(descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0) return names;
    DIR* stream = ::fdopendir(listing);
    if (!stream) {
        ::close(listing);
        return names;
    }
    while (const dirent* entry = ::readdir(stream)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(stream);
    return names;
}

bool DeviceDirectory::rename(std::string_view from, std::string_view to, bool replace) const {
    if (!isEntryName(from) || !isEntryName(to)) {
        errno = EINVAL;
        return false;
    }
    const std::string source(from), target(to);
    return ::renameat2(descriptor(), source.c_str(), descriptor(), target.c_str(),
                       replace ? 0 : RENAME_NOREPLACE) == 0;
}

bool DeviceDirectory::removeFile(std::string_view name) const {
    if (!isEntryName(name)) return false;
    const std::string entry(name);
    return ::unlinkat(descriptor(), entry.c_str(), 0) == 0;
}

bool DeviceDirectory::replaceFile(std::string_view name, std::string_view bytes,
                                  Flush flush) const {
    if (!isEntryName(name)) return false;
    FileDescriptor temporary;
    std::string temporaryName;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && !temporary.valid(); ++attempt) {
        temporaryName = temporaryNameFor(name);
        temporary =
            FileDescriptor(::openat(descriptor(), temporaryName.c_str(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
        if (!temporary.valid() && errno != EEXIST) return false;
    }
    if (!temporary.valid()) return false;
    const std::string entry(name);
    struct stat existing {};
    const mode_t mode =
        ::fstatat(descriptor(), entry.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISREG(existing.st_mode)
            ? (existing.st_mode & 07777) | S_IRUSR | S_IWUSR
            : 0644;
    const bool written = ::fchmod(temporary.get(), mode) == 0 && writeAll(temporary.get(), bytes) &&
                         (flush == Flush::None || ::fsync(temporary.get()) == 0) &&
                         ::close(temporary.release()) == 0;
    if (!written ||
        ::renameat(descriptor(), temporaryName.c_str(), descriptor(), entry.c_str()) != 0) {
        ::unlinkat(descriptor(), temporaryName.c_str(), 0);
        return false;
    }
    // The rename is done; a failure of the flush cannot be undone.
    if (flush == Flush::ToDisk) ::fsync(descriptor());
    return true;
}

bool DeviceDirectory::createFile(std::string_view name, std::string_view bytes, mode_t mode) const {
    FileDescriptor file = openEntry(name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, mode);
    if (!file.valid()) return false;
    if (::fchmod(file.get(), mode) == 0 && writeAll(file.get(), bytes) &&
        ::close(file.release()) == 0)
        return true;
    removeFile(name);
    return false;
}

int DeviceDirectory::removeStaleTemporaries(std::string_view name) const {
    int removed = 0;
    for (const std::string& entry : list()) {
        const auto writer = writerOfTemporary(entry, name);
        if (writer && *writer != ::getpid() && processIsGone(*writer) &&
            ::unlinkat(descriptor(), entry.c_str(), 0) == 0)
            ++removed;
    }
    return removed;
}

int DeviceDirectory::removeStaleTemporariesOfAny(std::string_view extension) const {
    int removed = 0;
    for (const std::string& entry : list()) {
        const auto writer = writerOfAnyTemporary(entry, extension);
        if (writer && *writer != ::getpid() && processIsGone(*writer) &&
            kindOf(entry) == EntryKind::File && ::unlinkat(descriptor(), entry.c_str(), 0) == 0)
            ++removed;
    }
    return removed;
}

}  // namespace core
