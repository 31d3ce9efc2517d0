#include "core/preferences/PreferenceFileCache.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <mutex>

#include "core/files/AtomicFile.h"
#include "core/files/RootedFiles.h"
#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistReader.h"
#include "rt/NoDestroy.h"

namespace core {

namespace {


struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileIdentity& other) const {
        const auto same = [](const timespec& left, const timespec& right) {
            return left.tv_sec == right.tv_sec && left.tv_nsec == right.tv_nsec;
        };
        return device == other.device && inode == other.inode && size == other.size &&
               same(modified, other.modified) && same(changed, other.changed);
    }
};

struct CachedFile {
    std::optional<FileIdentity> identity;  // none: not to be trusted next time
    std::optional<PlistDictionary> values;
    std::optional<PlistDictionary> lastGood;  // the last dictionary read, kept past a refusal
    std::optional<FileIdentity> refusedIdentity;
};

struct Cache {
    std::mutex mutex;
    std::map<std::string, CachedFile> files;
    std::size_t parses = 0;
};

Cache& cache() {
    static rt::NoDestroy<Cache> instance;
    return *instance;
}

std::optional<FileIdentity> identityOf(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino, status.st_size, status.st_mtim,
                        status.st_ctim};
}

long long nanoseconds(const timespec& time) {
    return static_cast<long long>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// True when the version was old enough at the time of reading for a later version to show a
// different modification or change time (the kernel stamps files from its coarse clock, so two
// versions written within one tick can look alike).
bool settled(const FileIdentity& identity) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const long long newest = std::max(nanoseconds(identity.modified), nanoseconds(identity.changed));
    const auto settle = std::chrono::duration_cast<std::chrono::nanoseconds>(
        PreferenceFileCache::settleTime());
    return nanoseconds(now) - newest >= settle.count();
}

// Entries are per device root as well as per path: a fresh simulated phone starts afresh.
std::string keyOf(std::string_view devicePath) {
    const auto root = DeviceRoot::get();
    return (root ? root->native() : std::string()) + std::string(devicePath);
}

void reportRefusal(std::string_view devicePath, const FileIdentity& identity, bool keptOld) {
    std::fprintf(stderr,
                 "%.*s is %.1f MB, more than the %zu MiB a preferences file may hold: not read; "
                 "%s (the file is left as it is)\n",
                 static_cast<int>(devicePath.size()), devicePath.data(),
                 static_cast<double>(identity.size) / 1e6, PreferenceFileCache::kMaxFileSize >> 20,
                 keptOld ? "keeping the values read before" : "no values were read before");
}

std::optional<PlistDictionary> parseDictionary(int descriptor, Cache& state) {
    const auto bytes = readWholeDescriptor(descriptor);
    if (!bytes) return std::nullopt;
    ++state.parses;
    auto value = parsePropertyList(*bytes);
    if (!value || !value->asDictionary()) return std::nullopt;
    return std::move(*value->mutableDictionary());
}

}  // namespace

std::optional<PlistDictionary> PreferenceFileCache::read(std::string_view devicePath) {
    const auto files = RootedFiles::ofDeviceRoot();
    if (!files) return std::nullopt;
    const FileDescriptor file = files->open(devicePath, O_RDONLY | O_NONBLOCK);
    const auto identity = file.valid() ? identityOf(file.get()) : std::nullopt;
    const std::string key = keyOf(devicePath);
    Cache& state = cache();
    std::lock_guard lock(state.mutex);
    auto found = state.files.find(key);
    if (!identity) {
        if (found != state.files.end()) state.files.erase(found);
        return std::nullopt;
    }
    if (found == state.files.end()) found = state.files.emplace(key, CachedFile{}).first;
    CachedFile& cached = found->second;
    if (cached.identity && *cached.identity == *identity) return cached.values;
    if (static_cast<std::size_t>(identity->size) > kMaxFileSize) {
        if (cached.refusedIdentity != identity) reportRefusal(devicePath, *identity, !!cached.lastGood);
        cached.refusedIdentity = identity;
        cached.identity.reset();
        return cached.lastGood;
    }
    cached.values = parseDictionary(file.get(), state);
    if (cached.values) cached.lastGood = cached.values;
    // A file written in place while it was read, or too recently to tell versions apart, is
    // read again next time.
    const bool unchanged = identityOf(file.get()) == identity;
    cached.identity = unchanged && settled(*identity) ? identity : std::nullopt;
    return cached.values;
}

std::chrono::milliseconds PreferenceFileCache::settleTime() {
    timespec tick{};
    ::clock_getres(CLOCK_REALTIME_COARSE, &tick);
    const auto twoTicks = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::nanoseconds(2 * nanoseconds(tick)));
    return std::max(twoTicks, std::chrono::milliseconds(10));
}

std::size_t PreferenceFileCache::parseCount() {
    std::lock_guard lock(cache().mutex);
    return cache().parses;
}

void PreferenceFileCache::forgetAll() {
    std::lock_guard lock(cache().mutex);
    cache().files.clear();
}

}  // namespace core
