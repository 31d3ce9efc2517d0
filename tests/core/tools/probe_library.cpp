// An injected library for the loader tests: its load-time initializer records which process
// loaded it, and under which file name, in the device root.
#include <dlfcn.h>

#include <filesystem>
#include <fstream>

#include "core/paths/DeviceRoot.h"
#include "core/process/ProcessInfo.h"

namespace {

void recordLoad() {
    Dl_info info{};
    ::dladdr(reinterpret_cast<void*>(&recordLoad), &info);
    const auto log = core::DeviceRoot::mapForWriting("/var/log/probe-loads.txt");
    if (!log) return;
    std::ofstream out(*log, std::ios::app);
    out << core::ProcessInfo::processName() << ' '
        << std::filesystem::path(info.dli_fname ? info.dli_fname : "?").filename().string() << '\n';
}

[[maybe_unused]] const bool recorded = (recordLoad(), true);

}  // namespace
