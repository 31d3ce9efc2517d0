#pragma once

#include <cstdint>
#include <functional>

namespace core {

// A unit of deferred work: runs once, on the queue it was submitted to.
using Block = std::function<void()>;

// A block waiting for its due time. Tasks run in due-time order, then in submission order.
// Times are whole nanoseconds of the clock, so that waits add up exactly (0.1999 s and then
// 0.0001 s reach a task due at 0.2 s).
using Nanoseconds = std::int64_t;

// Rounds to the nearest nanosecond; delays beyond a century are held at a century.
inline Nanoseconds toNanoseconds(double seconds) {
    constexpr double kCentury = 100.0 * 365 * 24 * 3600;
    seconds = seconds > kCentury ? kCentury : seconds < -kCentury ? -kCentury : seconds;
    return static_cast<Nanoseconds>(seconds * 1e9 + (seconds < 0 ? -0.5 : 0.5));
}
inline double toSeconds(Nanoseconds nanoseconds) {
    return static_cast<double>(nanoseconds) / 1e9;
}

struct Task {
    Nanoseconds due = 0;
    std::uint64_t sequence = 0;
    Block block;
};

struct TaskLater {
    bool operator()(const Task& a, const Task& b) const {
        return a.due != b.due ? a.due > b.due : a.sequence > b.sequence;
    }
};

}  // namespace core
