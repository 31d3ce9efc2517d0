#pragma once

#include <string>
#include <vector>

namespace core {

// Loads the device root's injected libraries into the running process, as the phone's
// hooking runtime does at the start of every process.
class LibraryLoader {
  public:
    static constexpr const char* kDirectory = "/Library/MobileSubstrate/DynamicLibraries";

    struct Result {
        std::string path;  // on this machine
        bool loaded = false;
        std::string error;  // why it did not load
    };

    // Loads every "*.dylib" of the directory under the device root, in name order, whatever
    // the process. Each library's load-time initializer runs now and decides whether to act.
    // Libraries stay loaded for the life of the process.
    static std::vector<Result> loadDynamicLibraries();
};

}  // namespace core
