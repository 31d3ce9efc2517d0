#include "core/process/LibraryLoader.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/paths/DeviceRoot.h"

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

}  // namespace

std::vector<LibraryLoader::Result> LibraryLoader::loadDynamicLibraries() {
    std::vector<Result> results;
    const auto directory = DeviceRoot::map(kDirectory);
    if (!directory) return results;
    for (const auto& file : libraryFiles(*directory)) {
        Result result;
        result.path = file.string();
        // The handle is kept open on purpose: a library lives until the process ends.
        if (::dlopen(file.c_str(), RTLD_NOW | RTLD_GLOBAL)) {
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
