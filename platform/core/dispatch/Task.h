#pragma once

#include <cstdint>
#include <functional>

namespace core {

// A unit of deferred work: runs once, on the queue it was submitted to.
using Block = std::function<void()>;

// A block waiting for its due time. Tasks run in due-time order, then in submission order.
struct Task {
    double due = 0;
    std::uint64_t sequence = 0;
    Block block;
};

struct TaskLater {
    bool operator()(const Task& a, const Task& b) const {
        return a.due != b.due ? a.due > b.due : a.sequence > b.sequence;
    }
};

}  // namespace core
