#include "core/dispatch/RunLoop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <stdexcept>

#include "core/dispatch/Clock.h"
#include "core/dispatch/Dispatcher.h"
#include "rt/NoDestroy.h"

namespace core {
namespace {

double realSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

timespec toTimespec(double seconds) {
    seconds = std::max(seconds, 0.0);
    const double whole = std::floor(seconds);
    // Round up so that a wait never ends before the task it waits for is due.
    long nanos = static_cast<long>(std::ceil((seconds - whole) * 1e9));
    auto secs = static_cast<time_t>(whole);
    if (nanos >= 1000000000L) {
        secs += 1;
        nanos -= 1000000000L;
    }
    return timespec{secs, nanos};
}

}  // namespace

RunLoop& RunLoop::main() {
    static rt::NoDestroy<RunLoop> loop;
    return *loop;
}

RunLoop::RunLoop() : _wakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (!_wakeFd.valid()) throw std::runtime_error("run loop: eventfd failed");
}

RunLoop::SourceId RunLoop::addSource(int fd, std::function<void()> onReadable) {
    const SourceId id = _nextSourceId++;
    _sources.push_back(Source{id, fd, std::move(onReadable)});
    return id;
}

void RunLoop::removeSource(SourceId id) {
    std::erase_if(_sources, [id](const Source& source) { return source.id == id; });
}

void RunLoop::run() {
    for (;;) {
        {
            std::lock_guard lock(_mutex);
            if (_stopRequested) {
                _stopRequested = false;
                return;
            }
        }
        runOnce(Clock::isVirtual() ? 0.05 : 3600);
    }
}

void RunLoop::stop() {
    {
        std::lock_guard lock(_mutex);
        _stopRequested = true;
    }
    wake();
}

void RunLoop::runFor(double seconds) {
    if (Clock::isVirtual()) {
        pollSources(0);
        Clock::advance(seconds);
        pollSources(0);
        return;
    }
    const double end = Clock::now() + seconds;
    for (double left = seconds; left > 0; left = end - Clock::now()) runOnce(left);
    runDueTasks();
}

bool RunLoop::runUntil(const std::function<bool()>& done, double timeoutSeconds) {
    const double end = realSeconds() + timeoutSeconds;
    for (;;) {
        if (done()) return true;
        const double left = end - realSeconds();
        if (left <= 0) return false;
        if (Clock::isVirtual()) {
            pollSources(std::min(left, 0.01));
            Clock::runPending();
        } else {
            runOnce(std::min(left, 0.01));
        }
    }
}

int RunLoop::pollSources(double timeoutSeconds) {
    return waitAndServe(timeoutSeconds, false);
}

void RunLoop::submit(Nanoseconds due, Block block) {
    {
        std::lock_guard lock(_mutex);
        _tasks.push(due, std::move(block));
    }
    wake();
}

void RunLoop::clearTasks() {
    std::lock_guard lock(_mutex);
    _tasks.clear();
}

void RunLoop::runOnce(double maxWait) {
    if (Clock::isVirtual()) {
        pollSources(maxWait);
        return;
    }
    runDueTasks();
    double wait = maxWait;
    {
        std::lock_guard lock(_mutex);
        if (_stopRequested) wait = 0;
        if (!_tasks.empty())
            wait =
                std::min(wait, toSeconds(_tasks.nextDue() - Dispatcher::shared().nowNanoseconds()));
    }
    waitAndServe(wait, true);
    runDueTasks();
}

void RunLoop::runDueTasks() {
    // Tasks submitted while these run wait for the next pass if they are not due yet;
    // due ones run now, in order.
    for (;;) {
        std::optional<Task> task;
        {
            std::lock_guard lock(_mutex);
            task = _tasks.popDue(Dispatcher::shared().nowNanoseconds());
        }
        if (!task) return;
        task->block();
    }
}

int RunLoop::waitAndServe(double timeoutSeconds, bool includeWake) {
    std::vector<pollfd> fds;
    fds.reserve(_sources.size() + 1);
    fds.push_back(pollfd{_wakeFd.get(), includeWake ? short(POLLIN) : short(0), 0});
    for (const auto& source : _sources) fds.push_back(pollfd{source.fd, POLLIN, 0});
    const timespec timeout = toTimespec(timeoutSeconds);
    const int ready = ::ppoll(fds.data(), fds.size(), &timeout, nullptr);
    if (ready <= 0) return 0;
    if (fds[0].revents) drainWakeups();
    // Copy the ids first: a callback may add or remove sources.
    std::vector<SourceId> readyIds;
    for (std::size_t i = 1; i < fds.size(); ++i) {
        if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) readyIds.push_back(_sources[i - 1].id);
    }
    int served = 0;
    for (SourceId id : readyIds) {
        auto it = std::find_if(_sources.begin(), _sources.end(),
                               [id](const Source& source) { return source.id == id; });
        if (it == _sources.end()) continue;
        auto callback = it->onReadable;
        callback();
        ++served;
    }
    return served;
}

void RunLoop::wake() {
    const std::uint64_t one = 1;
    [[maybe_unused]] auto written = ::write(_wakeFd.get(), &one, sizeof one);
}

void RunLoop::drainWakeups() {
    std::uint64_t count = 0;
    [[maybe_unused]] auto read = ::read(_wakeFd.get(), &count, sizeof count);
}

}  // namespace core
