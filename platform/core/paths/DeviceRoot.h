#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace core {

// The directory that holds one simulated phone's file system. The phone's absolute paths
// ("/var/mobile/Library/Preferences/...") are used as they are in code and mapped under it,
// so nothing outside the root is ever touched.
class DeviceRoot {
  public:
    // The environment variable a test or a child process can name the root with.
    static constexpr const char* kEnvironmentVariable = "MORVANE_DEVICE_ROOT";

    // Sets the process's root (a host's --root). The directory is created if missing.
    static void set(const std::filesystem::path& root);
    // The root: the one set, else the environment variable's, else none.
    static std::optional<std::filesystem::path> get();
    // Appends the root's path, as get() answers it, to `out` (no path object made when one
    // is set); false, `out` unchanged, when there is none.
    static bool appendTo(std::string& out);

    // Maps an absolute device path to a path of this machine under the root, for what is no
    // open (a message, a child's --root). Never open what it answers: a link may be swapped in
    // between; open through RootedFiles, which the kernel keeps within the root.
    //
    // Maps an absolute device path under the root. Refuses (answers none) a relative path,
    // one with a ".." component, and one that would leave the root through a symbolic link
    // (followed on the part of the path that exists); answers none when no root is set.
    static std::optional<std::filesystem::path> map(std::string_view devicePath);

    // Like map, creating the missing parent directories of the mapped path (for tests that
    // prepare a root; the platform creates directories with RootedFiles::createDirectories).
    static std::optional<std::filesystem::path> mapForWriting(std::string_view devicePath);
};

}  // namespace core
