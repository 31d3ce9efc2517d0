#pragma once

#include <atomic>
#include <chrono>
#include <mutex>

#include "core/dispatch/Clock.h"
#include "core/dispatch/GlobalQueuePool.h"
#include "core/dispatch/Queue.h"
#include "core/dispatch/TaskHeap.h"

namespace core {

// The process's time and queues: which clock runs, where tasks wait under each clock.
class Dispatcher {
  public:
    static Dispatcher& shared();

    void boot(ClockMode mode);
    void dropPendingTasks();
    ClockMode mode() const { return _mode.load(std::memory_order_acquire); }
    double now() const { return toSeconds(nowNanoseconds()); }
    Nanoseconds nowNanoseconds() const;
    void advance(double seconds);
    void submit(Queue queue, double delay, Block block);

  private:
    std::atomic<ClockMode> _mode{ClockMode::Real};
    std::atomic<std::chrono::steady_clock::rep> _epoch{
        std::chrono::steady_clock::now().time_since_epoch().count()};
    std::atomic<Nanoseconds> _virtualNow{0};
    std::mutex _virtualMutex;
    TaskHeap _virtualTasks;  // both queues' tasks under the virtual clock
    GlobalQueuePool _globalPool;
};

}  // namespace core
