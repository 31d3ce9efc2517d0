#include "core/dispatch/GlobalQueuePool.h"

#include <chrono>
#include <cstdio>
#include <exception>

#include "core/dispatch/Clock.h"

namespace core {

GlobalQueuePool::~GlobalQueuePool() {
    {
        std::lock_guard lock(_mutex);
        _stopping = true;
    }
    _changed.notify_all();
    for (auto& worker : _workers) worker.join();
}

void GlobalQueuePool::submit(Nanoseconds due, Block block) {
    {
        std::lock_guard lock(_mutex);
        _tasks.push(due, std::move(block));
        while (_workers.size() < kWorkerCount) _workers.emplace_back([this] { work(); });
    }
    _changed.notify_one();
}

void GlobalQueuePool::clearTasks() {
    std::lock_guard lock(_mutex);
    _tasks.clear();
}

void GlobalQueuePool::work() {
    std::unique_lock lock(_mutex);
    while (!_stopping) {
        if (_tasks.empty()) {
            _changed.wait(lock);
            continue;
        }
        const Nanoseconds wait = _tasks.nextDue() - Clock::nowNanoseconds();
        if (wait > 0) {
            _changed.wait_for(lock, std::chrono::nanoseconds(wait));
            continue;
        }
        auto task = _tasks.popDue(Clock::nowNanoseconds());
        if (!task) continue;
        lock.unlock();
        try {
            task->block();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "global queue: task threw: %s\n", error.what());
        }
        lock.lock();
    }
}

}  // namespace core
