#include "core/files/FileVersion.h"

#include <sys/stat.h>

namespace ui {

namespace {

std::optional<FileVersion> versionFrom(const struct stat& info) {
    if (!S_ISREG(info.st_mode)) return std::nullopt;
    constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
    return FileVersion{static_cast<std::uint64_t>(info.st_dev),
                       static_cast<std::uint64_t>(info.st_ino),
                       static_cast<std::int64_t>(info.st_size),
                       info.st_mtim.tv_sec * kNanosecondsPerSecond + info.st_mtim.tv_nsec,
                       info.st_ctim.tv_sec * kNanosecondsPerSecond + info.st_ctim.tv_nsec};
}

}  // namespace

std::optional<FileVersion> FileVersion::of(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return versionFrom(info);
}

std::optional<FileVersion> FileVersion::ofDescriptor(int descriptor) {
    struct stat info {};
    if (::fstat(descriptor, &info) != 0) return std::nullopt;
    return versionFrom(info);
}

std::optional<FileVersion> FileVersion::ofStatus(const struct stat& status) {
    return versionFrom(status);
}

}  // namespace ui
