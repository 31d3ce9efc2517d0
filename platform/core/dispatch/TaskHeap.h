#pragma once

#include <optional>
#include <queue>
#include <vector>

#include "core/dispatch/Task.h"

namespace core {

// Tasks ordered by due time, then submission order. Not thread-safe; owners lock around it.
class TaskHeap {
  public:
    void push(Nanoseconds due, Block block);
    bool empty() const { return _tasks.empty(); }
    Nanoseconds nextDue() const { return _tasks.top().due; }
    // Removes and answers the earliest task if it is due at `now`.
    std::optional<Task> popDue(Nanoseconds now);
    void clear();

  private:
    std::priority_queue<Task, std::vector<Task>, TaskLater> _tasks;
    std::uint64_t _nextSequence = 0;
};

}  // namespace core
