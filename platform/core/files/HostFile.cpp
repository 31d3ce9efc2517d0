#include "core/files/HostFile.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include "core/files/DeviceDirectory.h"

namespace core {

namespace {

// Why a file could not be written, for the message of the caller's error.
class Failure {
  public:
    Failure(const std::filesystem::path& path, std::string_view what) : _path(path), _what(what) {}
    [[noreturn]] void operator()(const std::string& reason) const {
        throw std::runtime_error("cannot write " + std::string(_what) + " " + _path.string() +
                                 ": " + reason);
    }

  private:
    const std::filesystem::path& _path;
    std::string_view _what;
};

}  // namespace

void replaceHostFile(const std::filesystem::path& path, std::string_view bytes,
                     std::string_view what) {
    const Failure fail(path, what);
    const std::string name = path.filename().string();
    if (!DeviceDirectory::isEntryName(name)) fail("the path names no file");
    const std::filesystem::path parent =
        path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    FileDescriptor opened(::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!opened.valid()) fail(std::strerror(errno));
    const DeviceDirectory directory(std::move(opened));
    const DeviceDirectory::EntryKind kind = directory.kindOf(name);
    if (kind != DeviceDirectory::EntryKind::Missing && kind != DeviceDirectory::EntryKind::File)
        fail("it exists and is not a regular file");
    const std::string extension = path.extension().string();
    if (!extension.empty()) directory.removeStaleTemporariesOfAny(extension);
    errno = 0;
    if (!directory.replaceFile(name, bytes, DeviceDirectory::Flush::None))
        fail(errno ? std::strerror(errno) : "the write failed");
}

}  // namespace core
