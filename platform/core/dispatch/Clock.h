#pragma once

#include <cstdint>

namespace core {

// Real time for the executables; virtual time for tests and scripted scenarios, where time
// moves only when the driver advances it and every run is deterministic.
enum class ClockMode { Real, Virtual };

// The process's clock. Time is counted in seconds from the moment the clock was booted.
class Clock {
  public:
    // Starts time again at zero in the given mode and drops every pending task of the main
    // and global queues. Called when a world boots; no queue task may be running.
    static void boot(ClockMode mode);

    // Drops every pending task of both queues and keeps the time (a host that restarts).
    static void dropPendingTasks();

    static ClockMode mode();
    static bool isVirtual() { return mode() == ClockMode::Virtual; }

    // Seconds since boot.
    static double now();
    static std::int64_t nowNanoseconds();

    // Virtual clock only: moves time forward by `seconds`, running every task that comes
    // due on either queue on the calling thread, ordered by due time then submission order;
    // each task sees now() equal to its due time. Throws std::logic_error on the real clock.
    static void advance(double seconds);

    // Virtual clock only: runs every task that is due now without moving time.
    static void runPending() { advance(0); }
};

}  // namespace core
