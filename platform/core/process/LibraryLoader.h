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
        std::string path;  // the device path of the library
        bool loaded = false;
        std::string error;  // why it did not load
    };

    // Loads every "*.dylib" of the directory under the device root, in name order, whatever
    // the process. Each is opened by the kernel within the root and loaded from that
    // descriptor; an entry that links out of the root is refused (its result says so). Each
    // library's load-time initializer runs now and decides whether to act. Libraries stay loaded
    // for the life of the process.
    static std::vector<Result> loadDynamicLibraries();

    // Unloads every library loaded above, last first, so that a later load starts each one
    // afresh (a restarted host). No task, observer or method of a library may be left to run
    // its code. Answers the device paths of libraries the system kept loaded all the same.
    static std::vector<std::string> unloadDynamicLibraries();
};

}  // namespace core
