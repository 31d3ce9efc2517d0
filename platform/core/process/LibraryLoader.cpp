#include "core/process/LibraryLoader.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/paths/DeviceRoot.h"
#include "rt/NoDestroy.h"

namespace fs = std::filesystem;

namespace core {
namespace {

std::vector<fs::path> libraryFiles(const fs::path& directory) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        if (it->path().extension() == ".dylib" && it->is_regular_file(error))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct LoadedLibrary {
    std::string path;
    void* handle;
};

// Handles of the libraries loaded into the process, in load order; main thread only.
std::vector<LoadedLibrary>& loadedLibraries() {
    static rt::NoDestroy<std::vector<LoadedLibrary>> libraries;
    return *libraries;
}

}  // namespace

std::vector<std::string> LibraryLoader::unloadDynamicLibraries() {
    std::vector<std::string> keptLoaded;
    auto& libraries = loadedLibraries();
    for (auto it = libraries.rbegin(); it != libraries.rend(); ++it) {
        ::dlclose(it->handle);
        if (void* still = ::dlopen(it->path.c_str(), RTLD_NOW | RTLD_NOLOAD)) {
            ::dlclose(still);
            keptLoaded.push_back(it->path);
        }
    }
    libraries.clear();
    return keptLoaded;
}

std::vector<LibraryLoader::Result> LibraryLoader::loadDynamicLibraries() {
    std::vector<Result> results;
    const auto directory = DeviceRoot::map(kDirectory);
    if (!directory) return results;
    for (const auto& file : libraryFiles(*directory)) {
        Result result;
        result.path = file.string();
        // The handle is kept: a library lives until the process ends or the host restarts.
        if (void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_GLOBAL)) {
            loadedLibraries().push_back(LoadedLibrary{result.path, handle});
            result.loaded = true;
        } else {
            const char* error = ::dlerror();
            result.error = error ? error : "unknown error";
        }
        results.push_back(std::move(result));
    }
    return results;
}

}  // namespace core
