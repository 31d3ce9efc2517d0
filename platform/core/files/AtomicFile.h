#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Largest file readWholeFile reads; larger files read as none.
inline constexpr std::size_t kMaxReadableFileSize = std::size_t{256} << 20;

// Replaces the file at path with bytes so that a reader sees either the old content or the
// new, never a mix: writes a temporary named by temporaryNameFor in the same directory, flushes it
// to disk, renames it over path and flushes the directory. The file keeps the old file's
// permissions (new files get 0666 less the umask). On failure the temporary is removed,
// the old file is left as it was, and the answer is false. Missing parent directories are
// not created.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The whole content of the regular file at path; none when it is missing, unreadable, not a
// regular file (a directory, a pipe) or larger than kMaxReadableFileSize.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// The whole content of the regular file open on descriptor, read from where it stands, with
// the same limits as readWholeFile.
std::optional<std::string> readWholeDescriptor(int descriptor);

// Writes every byte to descriptor, going on after short writes and interruptions.
bool writeAll(int descriptor, std::string_view bytes);

// A fresh name for a temporary that replaces fileName: ".<fileName>.<pid>.<random>.tmp". The
// writer's process id in it tells a later writer whether the temporary's writer is gone.
std::string temporaryNameFor(std::string_view fileName);

}  // namespace core
