#include "core/dispatch/Dispatcher.h"

#include <algorithm>
#include <stdexcept>

#include "core/dispatch/RunLoop.h"
#include "rt/NoDestroy.h"

namespace core {

Dispatcher& Dispatcher::shared() {
    static rt::NoDestroy<Dispatcher> dispatcher;
    return *dispatcher;
}

void Dispatcher::boot(ClockMode mode) {
    _mode.store(mode, std::memory_order_release);
    _epoch.store(std::chrono::steady_clock::now().time_since_epoch().count());
    _virtualNow.store(0);
    dropPendingTasks();
}

void Dispatcher::dropPendingTasks() {
    {
        std::lock_guard lock(_virtualMutex);
        _virtualTasks.clear();
    }
    RunLoop::main().clearTasks();
    _globalPool.clearTasks();
}

Nanoseconds Dispatcher::nowNanoseconds() const {
    if (mode() == ClockMode::Virtual) return _virtualNow.load();
    const auto elapsed = std::chrono::steady_clock::duration(
        std::chrono::steady_clock::now().time_since_epoch().count() - _epoch.load());
    return std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count();
}

void Dispatcher::advance(double seconds) {
    if (mode() != ClockMode::Virtual)
        throw std::logic_error("Clock::advance needs the virtual clock");
    const Nanoseconds target = _virtualNow.load() + toNanoseconds(std::max(seconds, 0.0));
    for (;;) {
        std::optional<Task> task;
        {
            std::lock_guard lock(_virtualMutex);
            task = _virtualTasks.popDue(target);
        }
        if (!task) break;
        _virtualNow.store(std::max(_virtualNow.load(), task->due));
        task->block();
    }
    _virtualNow.store(target);
}

void Dispatcher::submit(Queue queue, double delay, Block block) {
    const Nanoseconds due = nowNanoseconds() + toNanoseconds(std::max(delay, 0.0));
    if (mode() == ClockMode::Virtual) {
        std::lock_guard lock(_virtualMutex);
        _virtualTasks.push(due, std::move(block));
    } else if (queue == Queue::Main) {
        RunLoop::main().submit(due, std::move(block));
    } else {
        _globalPool.submit(due, std::move(block));
    }
}

void Clock::dropPendingTasks() {
    Dispatcher::shared().dropPendingTasks();
}
void Clock::boot(ClockMode mode) {
    Dispatcher::shared().boot(mode);
}
ClockMode Clock::mode() {
    return Dispatcher::shared().mode();
}
double Clock::now() {
    return Dispatcher::shared().now();
}
std::int64_t Clock::nowNanoseconds() {
    return Dispatcher::shared().nowNanoseconds();
}
void Clock::advance(double seconds) {
    Dispatcher::shared().advance(seconds);
}

void async(Queue queue, Block block) {
    Dispatcher::shared().submit(queue, 0, std::move(block));
}

void after(double seconds, Queue queue, Block block) {
    Dispatcher::shared().submit(queue, seconds, std::move(block));
}

}  // namespace core
