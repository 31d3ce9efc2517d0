#pragma once

#include "rt/Class.h"
#include "rt/Object.h"
#include "rt/Ref.h"
#include "rt/Selector.h"

namespace morvane {

// The replacements of the application class's creation and process-state report, which turn
// the host's reports into foreground entries, exits and obscured marks.
class ApplicationStateTracking {
  public:
    // Replaces "initWithApplicationInfo:": the host's initializer first; then the new
    // object's record starts with nothing recorded.
    static rt::Ref<rt::Object> initWithApplicationInfo(rt::Object* self, rt::Selector cmd,
                                                       rt::Object* info);
    // Replaces "_noteProcess:didChangeToState:": the host takes the new state in first; then
    // the report is handled.
    static void noteProcess(rt::Object* self, rt::Selector cmd, rt::Object* process,
                            rt::Object* state);

    // Acts on a process state the host has taken in.
    static void handleStateReport(rt::Object* app, long long taskState, long long visibility);
};

}  // namespace morvane
