// A host process in miniature: takes a device root and loads its injected libraries, as the
// real hosts do at start (and, with --restart, unloads and loads them again, as a host that
// restarts does). Built twice, under two process names.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/paths/DeviceRoot.h"
#include "core/process/LibraryLoader.h"

namespace {

int loadAll() {
    int failures = 0;
    for (const auto& result : core::LibraryLoader::loadDynamicLibraries()) {
        if (!result.loaded) {
            std::fprintf(stderr, "%s: %s\n", result.path.c_str(), result.error.c_str());
            ++failures;
        }
    }
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    const bool help = argc == 2 && !std::strcmp(argv[1], "--help");
    const bool restart = argc == 4 && !std::strcmp(argv[3], "--restart");
    if (help || (argc != 3 && !restart) || std::strcmp(argv[1], "--root") != 0) {
        std::fprintf(
            help ? stdout : stderr,
            "usage: %s --root DIR [--restart]\n"
            "  loads every library of the root's injection folder (twice with --restart)\n",
            argv[0]);
        return help ? 0 : 2;
    }
    core::DeviceRoot::set(argv[2]);
    int failures = loadAll();
    if (restart) {
        for (const auto& kept : core::LibraryLoader::unloadDynamicLibraries()) {
            std::fprintf(stderr, "%s: still loaded\n", kept.c_str());
            ++failures;
        }
        failures += loadAll();
    }
    return failures == 0 ? 0 : 1;
}
