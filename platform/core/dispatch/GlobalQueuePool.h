#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "core/dispatch/TaskHeap.h"

namespace core {

// The default-priority global queue under the real clock: worker threads that run tasks
// concurrently once they are due. Threads start with the first task.
class GlobalQueuePool {
  public:
    static constexpr int kWorkerCount = 2;

    ~GlobalQueuePool();
    void submit(Nanoseconds due, Block block);
    void clearTasks();

  private:
    void work();

    std::mutex _mutex;
    std::condition_variable _changed;
    TaskHeap _tasks;
    bool _stopping = false;
    std::vector<std::thread> _workers;
};

}  // namespace core
