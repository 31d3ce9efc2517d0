#pragma once

#include <filesystem>
#include <string_view>

namespace core {

// A fresh directory under the system's temporary directory (a device root for a host run, a
// test or a benchmark), removed with everything in it when the object goes, unless kept.
class TemporaryDirectory {
  public:
    // Makes "<prefix>XXXXXX" with an unpredictable suffix, mode 700; throws std::runtime_error
    // when it cannot.
    explicit TemporaryDirectory(std::string_view prefix = "morvane-test-");
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return _path; }
    // Leaves the directory in place when the object goes.
    void keep() { _keep = true; }

  private:
    std::filesystem::path _path;
    bool _keep = false;
};

}  // namespace core
