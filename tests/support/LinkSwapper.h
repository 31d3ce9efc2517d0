#pragma once

#include <fcntl.h>
#include <stdio.h>

#include <atomic>
#include <filesystem>
#include <thread>

namespace testing_support {

// Swaps a directory with a link to a directory elsewhere (renameat2 with RENAME_EXCHANGE),
// over and over on a thread of its own, as an attacker racing a reader or writer would.
class LinkSwapper {
  public:
    LinkSwapper(const std::filesystem::path& directory, const std::filesystem::path& elsewhere) {
        const std::filesystem::path link = directory.parent_path() / "Swapped";
        std::filesystem::create_symlink(elsewhere, link);
        _thread = std::thread([this, directory, link] {
            while (!_stop) {
                ::renameat2(AT_FDCWD, directory.c_str(), AT_FDCWD, link.c_str(), RENAME_EXCHANGE);
                ++_rounds;
            }
        });
    }
    LinkSwapper(const LinkSwapper&) = delete;
    LinkSwapper& operator=(const LinkSwapper&) = delete;
    ~LinkSwapper() { stop(); }

    // Stops swapping; answers how many swaps were made.
    long stop() {
        _stop = true;
        if (_thread.joinable()) _thread.join();
        return _rounds;
    }

  private:
    std::atomic<bool> _stop{false};
    std::atomic<long> _rounds{0};
    std::thread _thread;
};

}  // namespace testing_support
