#pragma once

#include <string>

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace springboard {

// A process's state as the home screen reports it: whether it runs (task state) and how
// it is shown (visibility).
class FBProcessState : public rt::Object {
  public:
    static constexpr const char* kClassName = "FBProcessState";

    static constexpr long long kTaskStateNotRunning = 1;
    static constexpr long long kTaskStateRunning = 2;
    static constexpr long long kVisibilityUnknown = 0;
    static constexpr long long kVisibilityBackground = 1;
    static constexpr long long kVisibilityForeground = 2;
    static constexpr long long kVisibilityForegroundObscured = 3;

    FBProcessState() = default;
    FBProcessState(long long taskState, long long visibility)
        : _taskState(taskState), _visibility(visibility) {}

    long long taskState() const { return _taskState; }
    long long visibility() const { return _visibility; }
    // "running, foreground", "not running, not shown", "task state 7, visibility 9".
    static std::string describe(long long taskState, long long visibility);
    std::string description() const { return describe(_taskState, _visibility); }

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    long long _taskState = kTaskStateNotRunning;
    long long _visibility = kVisibilityUnknown;
};

}  // namespace springboard
