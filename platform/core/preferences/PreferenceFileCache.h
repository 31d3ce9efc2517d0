#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/plist/PlistDictionary.h"

namespace core {

// The parsed dictionaries of the process's preference files, read once per change of a file
// rather than once per use: a read whose file is unchanged on disk (same device, inode, size,
// modification and change times) answers the dictionary parsed before, sharing its storage.
//
// A file larger than kMaxFileSize is not parsed: the readers keep using the last dictionary
// they had for that path (none when they never had one) and say so once per version of the
// file on standard error. The file itself is left as it is; nothing is renamed or lost. The
// writers (PreferenceFileUpdate) refuse to make a file larger than that.
class PreferenceFileCache {
  public:
    // Four times the size at which the phone's preference daemon warns about one domain: room
    // for 200,000 apps' values in XML, parsed in about 50 ms into about 100 MB.
    static constexpr std::size_t kMaxFileSize = std::size_t{16} << 20;

    // The dictionary of the file at devicePath (within the device root); none when it is
    // missing, unreadable or not a dictionary.
    static std::optional<PlistDictionary> read(std::string_view devicePath);

    // How long after a file's last change its version can be told from the next one; a file
    // read sooner is read again at the next use.
    static std::chrono::milliseconds settleTime();

    // How many times a file's bytes were parsed in this process (counted for tests and
    // benchmarks).
    static std::size_t parseCount();

    // Drops every remembered dictionary (a fresh simulated world).
    static void forgetAll();
};

}  // namespace core
