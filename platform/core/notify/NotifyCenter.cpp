#include "core/notify/NotifyCenter.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <system_error>

#include "core/dispatch/RunLoop.h"
#include "core/files/RootedFiles.h"
#include "core/paths/DeviceRoot.h"

namespace fs = std::filesystem;

namespace core {
namespace {

constexpr std::size_t kLongestPlainFileName = 200;

bool isPlain(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-';
}

std::uint64_t fnv1a(const std::string& text, std::uint64_t seed) {
    std::uint64_t hash = seed;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// The notification directory of the device root, created when missing.
std::optional<DeviceDirectory> notifyDirectory() {
    const auto files = RootedFiles::ofDeviceRoot();
    return files ? files->createDirectories(NotifyCenter::kDirectory) : std::nullopt;
}

}  // namespace

NotifyCenter& NotifyCenter::darwin() {
    static rt::NoDestroy<NotifyCenter> center;
    return *center;
}

std::string NotifyCenter::fileNameFor(const std::string& name) {
    std::string encoded = "n-";  // never empty, never "." or ".."
    for (unsigned char c : name) {
        if (isPlain(c)) {
            encoded += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            encoded += escaped;
        }
    }
    if (encoded.size() <= kLongestPlainFileName) return encoded;
    char digest[40];
    std::snprintf(digest, sizeof digest, "h-%016llx%016llx",
                  static_cast<unsigned long long>(fnv1a(name, 0xcbf29ce484222325ULL)),
                  static_cast<unsigned long long>(fnv1a(name, 0x84222325cbf29ce4ULL)));
    return digest;
}

bool NotifyCenter::post(const std::string& name) {
    const auto directory = notifyDirectory();
    if (!directory) return false;
    // Closing a file opened for writing is the event the observers wait for.
    FileDescriptor file =
        directory->openEntry(fileNameFor(name), O_WRONLY | O_CREAT | O_NOFOLLOW, 0644);
    return file.valid() && ::close(file.release()) == 0;
}

NotifyCenter::Token NotifyCenter::addObserver(const std::string& name, Callback callback) {
    if (!watch()) return 0;
    const Token token = _nextToken++;
    _observers.push_back(Observer{token, fileNameFor(name), name, std::move(callback)});
    return token;
}

void NotifyCenter::removeObserver(Token token) {
    std::erase_if(_observers,
                  [token](const Observer& observer) { return observer.token == token; });
}

void NotifyCenter::reset() {
    _observers.clear();
    if (_sourceId) RunLoop::main().removeSource(_sourceId);
    _sourceId = 0;
    _inotify.reset();
    _watchedDirectory.reset();
}

bool NotifyCenter::watch() {
    const auto root = DeviceRoot::get();
    if (!root) return false;
    const fs::path watched = *root / fs::path(kDirectory).relative_path();
    if (_watchedDirectory == watched && _inotify.valid()) return true;
    const auto directory = notifyDirectory();
    if (!directory) return false;
    auto observers = std::move(_observers);
    reset();
    _observers = std::move(observers);
    _inotify.reset(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    if (!_inotify.valid()) return false;
    // The directory opened within the root is watched through its descriptor, not its path.
    const std::string opened = "/proc/self/fd/" + std::to_string(directory->descriptor());
    if (::inotify_add_watch(_inotify.get(), opened.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO) < 0) {
        _inotify.reset();
        return false;
    }
    _watchedDirectory = watched;
    _sourceId = RunLoop::main().addSource(_inotify.get(), [this] { deliverPending(); });
    return true;
}

void NotifyCenter::deliverPending() {
    alignas(inotify_event) char buffer[16384];
    std::vector<std::string> fileNames;
    bool overflowed = false;
    for (;;) {
        const ssize_t length = ::read(_inotify.get(), buffer, sizeof buffer);
        if (length <= 0) break;
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            if (event->mask & IN_Q_OVERFLOW) overflowed = true;
            if (event->len > 0) {
                std::string fileName(event->name);
                // Posts that arrived together are delivered once.
                if (std::find(fileNames.begin(), fileNames.end(), fileName) == fileNames.end()) {
                    fileNames.push_back(std::move(fileName));
                }
            }
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    if (overflowed) {
        // The kernel dropped events: tell every observer rather than lose a post.
        fileNames.clear();
        for (const auto& observer : _observers) {
            if (std::find(fileNames.begin(), fileNames.end(), observer.fileName) ==
                fileNames.end()) {
                fileNames.push_back(observer.fileName);
            }
        }
    }
    deliver(fileNames);
}

void NotifyCenter::deliver(const std::vector<std::string>& fileNames) {
    for (const auto& fileName : fileNames) {
        // Observers may add or remove observers from their callbacks: call a snapshot.
        std::vector<Observer> matching;
        for (const auto& observer : _observers) {
            if (observer.fileName == fileName) matching.push_back(observer);
        }
        for (const auto& observer : matching) {
            const bool stillObserving =
                std::any_of(_observers.begin(), _observers.end(),
                            [&](const Observer& o) { return o.token == observer.token; });
            if (stillObserving) observer.callback(observer.name);
        }
    }
}

}  // namespace core
