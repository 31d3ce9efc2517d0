#pragma once

#include <string>

namespace core {

// What the phone's process information answers about the running process.
class ProcessInfo {
  public:
    // The executable's name, as the process was started ("SpringBoard", "Preferences").
    static std::string processName();

    // Lets a test that starts a host's library in its own process play that host.
    // An empty name goes back to the executable's name.
    static void setProcessNameForTesting(const std::string& name);
};

}  // namespace core
