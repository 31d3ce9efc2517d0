// An injected library for the loader tests: its load-time initializer records which process
// loaded it, and from which file, in the device root.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/files/AtomicFile.h"
#include "core/files/RootedFiles.h"
#include "core/process/ProcessInfo.h"

namespace {

// The file name the library was loaded from; a library loaded from a descriptor
// ("/proc/self/fd/N") is named by the file that descriptor holds.
std::string loadedFileName() {
    Dl_info info{};
    ::dladdr(reinterpret_cast<void*>(&loadedFileName), &info);
    std::filesystem::path path(info.dli_fname ? info.dli_fname : "?");
    std::error_code error;
    if (path.string().starts_with("/proc/self/fd/"))
        path = std::filesystem::read_symlink(path, error);
    return path.filename().string();
}

void recordLoad() {
    const auto files = core::RootedFiles::ofDeviceRoot();
    const auto directory = files ? files->createDirectories("/var/log") : std::nullopt;
    if (!directory) return;
    const core::FileDescriptor log =
        directory->openEntry("probe-loads.txt", O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (log.valid())
        core::writeAll(log.get(), core::ProcessInfo::processName() + ' ' + loadedFileName() + '\n');
}

[[maybe_unused]] const bool recorded = (recordLoad(), true);

}  // namespace
