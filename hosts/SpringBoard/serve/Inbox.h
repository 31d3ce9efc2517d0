#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "core/unix/FileDescriptor.h"

// Hands work from the server's threads to the main thread, where all of the phone's state
// lives. The main thread watches `fd()` (an eventfd, which a restart of the home screen
// leaves alone) and calls serve(); a server thread waits for its answer.
class Inbox {
  public:
    Inbox();

    int fd() const { return _wake.get(); }
    // From any thread: runs `task` on the main thread and answers what it answered; none
    // when the inbox is closed or no answer came within `timeoutSeconds`. The task must
    // capture nothing of the caller's stack by reference (it may run after the wait ends).
    std::optional<std::string> ask(std::function<std::string()> task, double timeoutSeconds);
    // Main thread: runs every task handed in so far.
    void serve();
    // Refuses new tasks and drops the waiting ones (their askers answer none).
    void close();

  private:
    std::mutex _mutex;
    std::deque<std::function<void()>> _tasks;
    bool _closed = false;
    core::FileDescriptor _wake;
};
