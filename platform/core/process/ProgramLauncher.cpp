#include "core/process/ProgramLauncher.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "core/paths/DeviceRoot.h"
#include "rt/NoDestroy.h"

extern char** environ;

namespace core {

namespace {

struct Registry {
    std::mutex mutex;
    std::condition_variable ended;
    int running = 0;
    std::vector<ProgramLauncher::Launch> launches;
};

Registry& registry() {
    static rt::NoDestroy<Registry> shared;
    return *shared;
}

// Opens the program inside the root: the kernel resolves every component (links too) as if
// the root were "/", so the path cannot name a file outside it.
int openInsideRoot(const std::string& root, const std::string& devicePath) {
    const int rootDirectory = ::open(root.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (rootDirectory < 0) return -1;
    open_how how{};
    how.flags = O_RDONLY | O_CLOEXEC;
    how.resolve = RESOLVE_IN_ROOT | RESOLVE_NO_MAGICLINKS;
    int program = -1;
    do {
        program = static_cast<int>(
            ::syscall(SYS_openat2, rootDirectory, devicePath.c_str(), &how, sizeof how));
    } while (program < 0 && errno == EAGAIN);
    const int saved = errno;
    ::close(rootDirectory);
    errno = saved;
    return program;
}

std::vector<std::string> environmentFor(const std::string& root) {
    std::vector<std::string> entries;
    const std::string prefix = std::string(DeviceRoot::kEnvironmentVariable) + "=";
    for (char** entry = environ; entry && *entry; ++entry)
        if (std::strncmp(*entry, prefix.c_str(), prefix.size()) != 0) entries.emplace_back(*entry);
    entries.push_back(prefix + root);
    return entries;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& text : strings) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

void reapInBackground(pid_t child) {
    std::thread([child] {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        auto& shared = registry();
        std::lock_guard lock(shared.mutex);
        --shared.running;
        shared.ended.notify_all();
    }).detach();
}

}  // namespace

std::optional<pid_t> ProgramLauncher::launch(const std::string& devicePath,
                                             const std::vector<std::string>& arguments,
                                             std::string& error) {
    const auto root = DeviceRoot::get();
    if (!root) {
        error = "no device root";
        return std::nullopt;
    }
    if (devicePath.empty() || devicePath.front() != '/') {
        error = "the launch path '" + devicePath + "' is not an absolute device path";
        return std::nullopt;
    }
    const int program = openInsideRoot(root->string(), devicePath);
    if (program < 0) {
        error = devicePath + ": no such program on the device (" + std::strerror(errno) + ")";
        return std::nullopt;
    }
    std::vector<std::string> argumentCopies = {devicePath};
    argumentCopies.insert(argumentCopies.end(), arguments.begin(), arguments.end());
    auto environment = environmentFor(root->string());
    const auto argv = pointersTo(argumentCopies);
    const auto envp = pointersTo(environment);

    std::unique_lock lock(registry().mutex);
    const pid_t child = ::fork();
    if (child == 0) {
        ::fexecve(program, argv.data(), envp.data());
        ::_exit(127);
    }
    const int saved = errno;
    ::close(program);
    if (child < 0) {
        error = std::string("could not start ") + devicePath + ": " + std::strerror(saved);
        return std::nullopt;
    }
    ++registry().running;
    registry().launches.push_back({devicePath, arguments, child});
    lock.unlock();
    reapInBackground(child);
    return child;
}

bool ProgramLauncher::waitForAll(double timeoutSeconds) {
    auto& shared = registry();
    std::unique_lock lock(shared.mutex);
    return shared.ended.wait_for(lock, std::chrono::duration<double>(timeoutSeconds),
                                 [&] { return shared.running == 0; });
}

int ProgramLauncher::running() {
    std::lock_guard lock(registry().mutex);
    return registry().running;
}

std::vector<ProgramLauncher::Launch> ProgramLauncher::launches() {
    std::lock_guard lock(registry().mutex);
    return registry().launches;
}

}  // namespace core
