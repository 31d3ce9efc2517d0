#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace core {

// Starts programs of the device root, as the phone's process launching does: the path is a
// device path resolved by the kernel inside the root (links included; nothing can climb
// out), so a program of this machine is never run. The child gets the same device root.
// Every child is reaped by a waiter of its own as soon as it ends; no process is left
// behind.
class ProgramLauncher {
  public:
    struct Launch {
        std::string devicePath;
        std::vector<std::string> arguments;
        pid_t pid = -1;
    };

    // Starts the program with the arguments and returns without waiting. Answers the child's
    // id, or none with `error` set (no device root, no such program inside it, not
    // executable, or the start failed).
    static std::optional<pid_t> launch(const std::string& devicePath,
                                       const std::vector<std::string>& arguments,
                                       std::string& error);

    // Waits until every program started so far has ended and been reaped, at most `timeout`
    // seconds; answers whether all had.
    static bool waitForAll(double timeoutSeconds);
    // Programs started and not yet reaped.
    static int running();
    // The programs started so far by this process, oldest first.
    static std::vector<Launch> launches();
};

}  // namespace core
