#pragma once

#include <filesystem>
#include <string_view>

namespace core {

// Replaces a file the user named by a path of this machine (a snapshot, a plot), as every
// writer of the programs does: a temporary with an unpredictable name is created exclusively,
// without following links, in the target's directory, filled, and renamed over the target, so
// a link planted beside the target leads nowhere and a reader sees the old file or the new.
// A target that exists and is no regular file (a directory, a link, a pipe, a device) is
// refused and left as it is. Temporaries of ".<ext>" files left by writers that are gone
// (killed mid-write) are removed from the directory first. Not flushed to disk: these files
// can be made again. Throws std::runtime_error ("cannot write <what> <path>: <reason>").
void replaceHostFile(const std::filesystem::path& path, std::string_view bytes,
                     std::string_view what = "the file");

}  // namespace core
