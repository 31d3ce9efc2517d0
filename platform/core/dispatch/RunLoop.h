#pragma once

#include <functional>
#include <mutex>
#include <vector>

#include "core/dispatch/TaskHeap.h"
#include "core/unix/FileDescriptor.h"
#include "rt/NoDestroy.h"

namespace core {

// The main run loop: runs the main queue and its timers, and file-descriptor sources (the
// notification centre's, for one). Under the real clock it waits in the kernel until a
// source is readable or the next task is due. Under the virtual clock the tasks belong to
// the clock's driver (Clock::advance); the loop then only waits for sources.
class RunLoop {
  public:
    using SourceId = int;

    static RunLoop& main();

    // Calls `onReadable` on the main thread while `fd` is readable. The run loop does not
    // own the descriptor. Answers an id for removeSource.
    SourceId addSource(int fd, std::function<void()> onReadable);
    void removeSource(SourceId id);

    // Runs until stop() is called (from any thread or from a task).
    void run();
    void stop();

    // Runs for `seconds` of the clock: real waiting under the real clock; under the virtual
    // clock the time is advanced and sources that are ready meanwhile are served.
    void runFor(double seconds);

    // Runs (serving sources, and under the real clock tasks too) until `done` answers true or
    // `timeoutSeconds` of real time have passed; answers whether `done` became true.
    bool runUntil(const std::function<bool()>& done, double timeoutSeconds);

    // Serves every source that becomes readable within `timeoutSeconds` of real time (0: only
    // those ready now). Answers how many callbacks ran.
    int pollSources(double timeoutSeconds);

    // Main-queue task submission under the real clock (used by async/after).
    void submit(Nanoseconds due, Block block);
    // Drops pending tasks (used when the clock boots).
    void clearTasks();

  private:
    struct Source {
        SourceId id;
        int fd;
        std::function<void()> onReadable;
    };

    friend class rt::NoDestroy<RunLoop>;
    RunLoop();
    // One pass: runs due tasks, waits at most `maxWait` seconds for a source or the next due
    // task, serves ready sources, runs due tasks again.
    void runOnce(double maxWait);
    void runDueTasks();
    int waitAndServe(double timeoutSeconds, bool includeWake);
    void wake();
    void drainWakeups();

    std::mutex _mutex;  // guards _tasks and _stopRequested
    TaskHeap _tasks;
    bool _stopRequested = false;
    FileDescriptor _wakeFd;
    std::vector<Source> _sources;  // main thread only
    SourceId _nextSourceId = 1;
};

}  // namespace core
