#include "core/process/LibraryLoader.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/files/RootedFiles.h"
#include "core/unix/FileDescriptor.h"
#include "rt/NoDestroy.h"

namespace core {
namespace {

std::vector<std::string> libraryNames(const DeviceDirectory& directory) {
    std::vector<std::string> names = directory.list();
    std::erase_if(names, [](const std::string& name) {
        return !name.ends_with(".dylib") || name.size() == 6;
    });
    std::sort(names.begin(), names.end());
    return names;
}

// Why an entry of the folder could not be opened within the root.
std::string refusal(const DeviceDirectory& directory, const std::string& name, int error) {
    if (directory.kindOf(name) == DeviceDirectory::EntryKind::Link) {
        char target[4096];
        const ssize_t length =
            ::readlinkat(directory.descriptor(), name.c_str(), target, sizeof target - 1);
        const std::string to = length >= 0 ? std::string(target, length) : "?";
        return "a link to " + to +
               ", which leads to no library within the device root; refused, not loaded";
    }
    return std::string("cannot be opened: ") + std::strerror(error);
}

std::string descriptorPath(int descriptor) {
    return "/proc/self/fd/" + std::to_string(descriptor);
}

struct LoadedLibrary {
    std::string devicePath;
    // Open while the library is loaded, so that its /proc/self/fd name names no other file.
    FileDescriptor file;
    void* handle;
};

// Handles of the libraries loaded into the process, in load order; main thread only.
std::vector<LoadedLibrary>& loadedLibraries() {
    static rt::NoDestroy<std::vector<LoadedLibrary>> libraries;
    return *libraries;
}

// The descriptors of libraries the system kept loaded: never closed, for the same reason.
std::vector<FileDescriptor>& keptOpen() {
    static rt::NoDestroy<std::vector<FileDescriptor>> descriptors;
    return *descriptors;
}

}  // namespace

std::vector<std::string> LibraryLoader::unloadDynamicLibraries() {
    std::vector<std::string> keptLoaded;
    auto& libraries = loadedLibraries();
    for (auto it = libraries.rbegin(); it != libraries.rend(); ++it) {
        ::dlclose(it->handle);
        const std::string path = descriptorPath(it->file.get());
        if (void* still = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD)) {
            ::dlclose(still);
            keptLoaded.push_back(it->devicePath);
            keptOpen().push_back(std::move(it->file));
        }
    }
    libraries.clear();
    return keptLoaded;
}

std::vector<LibraryLoader::Result> LibraryLoader::loadDynamicLibraries() {
    std::vector<Result> results;
    const auto files = RootedFiles::ofDeviceRoot();
    const auto directory = files ? files->openDirectory(kDirectory) : std::nullopt;
    if (!directory) return results;
    for (const std::string& name : libraryNames(*directory)) {
        Result result;
        result.path = std::string(kDirectory) + "/" + name;
        // Opened by the kernel within the root, and loaded from that very descriptor.
        FileDescriptor file = files->open(result.path, O_RDONLY);
        struct stat status {};
        if (!file.valid()) {
            result.error = refusal(*directory, name, errno);
            results.push_back(std::move(result));
            continue;
        }
        if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
        // The handle is kept: a library lives until the process ends or the host restarts.
        if (void* handle = ::dlopen(descriptorPath(file.get()).c_str(), RTLD_NOW | RTLD_GLOBAL)) {
            loadedLibraries().push_back(LoadedLibrary{result.path, std::move(file), handle});
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
