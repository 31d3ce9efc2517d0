#include "core/dispatch/TaskHeap.h"

namespace core {

void TaskHeap::push(Nanoseconds due, Block block) {
    _tasks.push(Task{due, _nextSequence++, std::move(block)});
}

std::optional<Task> TaskHeap::popDue(Nanoseconds now) {
    if (_tasks.empty() || _tasks.top().due > now) return std::nullopt;
    // priority_queue::top is const; the block is moved out just before the pop discards it.
    Task task = std::move(const_cast<Task&>(_tasks.top()));
    _tasks.pop();
    return task;
}

void TaskHeap::clear() {
    _tasks = {};
}

}  // namespace core
