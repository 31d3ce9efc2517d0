#include "core/paths/DeviceRoot.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <system_error>

#include "rt/NoDestroy.h"

namespace fs = std::filesystem;

namespace core {
namespace {

struct RootState {
    std::mutex mutex;
    std::optional<fs::path> root;
};

RootState& state() {
    static rt::NoDestroy<RootState> rootState;
    return *rootState;
}

bool isWithin(const fs::path& path, const fs::path& root) {
    auto [rootEnd, pathIt] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    return rootEnd == root.end();
}

// Follows symbolic links component by component, as the kernel would when opening the
// path, and answers whether every step stays inside `root` (already canonical).
bool linksStayWithin(const fs::path& root, const fs::path& relative) {
    fs::path current = root;
    int hops = 0;
    for (const auto& part : relative) {
        current /= part;
        std::error_code error;
        while (fs::is_symlink(fs::symlink_status(current, error))) {
            if (++hops > 40) return false;
            const fs::path target = fs::read_symlink(current, error);
            if (error) return false;
            current =
                (target.is_absolute() ? target : current.parent_path() / target).lexically_normal();
            if (!isWithin(current, root)) return false;
        }
        if (!isWithin(current.lexically_normal(), root)) return false;
    }
    return true;
}

bool hasParentComponent(std::string_view path) {
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (path.substr(start, end - start) == "..") return true;
        start = end + 1;
    }
    return false;
}

// The common case first: no component that exists is a link. Answers false when one is.
bool hasNoLinks(const std::string& root, const std::string& relative) {
    std::string current = root;
    for (std::size_t start = 0; start < relative.size();) {
        const std::size_t end = std::min(relative.find('/', start), relative.size());
        current.append("/").append(relative, start, end - start);
        start = end + 1;
        struct stat status {};
        // A component that does not exist has nothing below it, so nothing can lead out.
        if (::lstat(current.c_str(), &status) != 0) return true;
        if (S_ISLNK(status.st_mode)) return false;
    }
    return true;
}

bool staysWithin(const fs::path& root, const fs::path& relative) {
    return hasNoLinks(root.native(), relative.native()) || linksStayWithin(root, relative);
}

}  // namespace

void DeviceRoot::set(const fs::path& root) {
    std::error_code error;
    fs::create_directories(root, error);
    const fs::path canonical = fs::weakly_canonical(fs::absolute(root), error);
    std::lock_guard lock(state().mutex);
    state().root = error ? fs::absolute(root) : canonical;
}

std::optional<fs::path> DeviceRoot::get() {
    {
        std::lock_guard lock(state().mutex);
        if (state().root) return state().root;
    }
    const char* fromEnvironment = std::getenv(kEnvironmentVariable);
    if (!fromEnvironment || !*fromEnvironment) return std::nullopt;
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(fs::absolute(fromEnvironment), error);
    return error ? fs::path(fromEnvironment) : canonical;
}

bool DeviceRoot::appendTo(std::string& out) {
    {
        std::lock_guard lock(state().mutex);
        if (state().root) {
            out += state().root->native();
            return true;
        }
    }
    const auto root = get();
    if (!root) return false;
    out += root->native();
    return true;
}

std::optional<fs::path> DeviceRoot::map(std::string_view devicePath) {
    const auto root = get();
    if (!root || !devicePath.starts_with('/') || hasParentComponent(devicePath))
        return std::nullopt;
    const fs::path relative = fs::path(devicePath).relative_path().lexically_normal();
    if (!staysWithin(*root, relative)) return std::nullopt;
    if (relative.empty()) return *root;
    return (*root / relative).lexically_normal();
}

std::optional<fs::path> DeviceRoot::mapForWriting(std::string_view devicePath) {
    auto mapped = map(devicePath);
    if (!mapped) return std::nullopt;
    std::error_code error;
    fs::create_directories(mapped->parent_path(), error);
    if (error) return std::nullopt;
    // Creating directories cannot have introduced a link; check again all the same.
    return map(devicePath);
}

}  // namespace core
