// A host process in miniature: takes a device root and loads its injected libraries, as the
// real hosts do at start. Built twice, under two process names.
#include <cstdio>
#include <cstring>

#include "core/paths/DeviceRoot.h"
#include "core/process/LibraryLoader.h"

int main(int argc, char** argv) {
    if (argc != 3 || std::strcmp(argv[1], "--root") != 0) {
        std::fprintf(argc == 2 && !std::strcmp(argv[1], "--help") ? stdout : stderr,
                     "usage: %s --root DIR\n  loads every library of the root's injection folder\n",
                     argv[0]);
        return argc == 2 && !std::strcmp(argv[1], "--help") ? 0 : 2;
    }
    core::DeviceRoot::set(argv[2]);
    int failures = 0;
    for (const auto& result : core::LibraryLoader::loadDynamicLibraries()) {
        if (!result.loaded) {
            std::fprintf(stderr, "%s: %s\n", result.path.c_str(), result.error.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
