#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include <sys/stat.h>

namespace ui {

// What identifies one version of a file: replacing it (a new inode) or rewriting it (a new
// size, modification or change time) makes another version. Caches of what was read from a
// file keep it only while the file stays the same version.
struct FileVersion {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t changedNanoseconds = 0;

    // The version of the regular file at path; none when there is none.
    static std::optional<FileVersion> of(const std::filesystem::path& path);
    // The version of the open file; none when it is no regular file.
    static std::optional<FileVersion> ofDescriptor(int descriptor);
    // The version a status describes; none when it is no regular file's.
    static std::optional<FileVersion> ofStatus(const struct stat& status);

    friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

}  // namespace ui
