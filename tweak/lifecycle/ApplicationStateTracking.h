#pragma once

#include "rt/Class.h"
#include "rt/Object.h"

namespace morvane {

// The replacements of the application class's creation and process-state report, which turn
// the host's reports into foreground entries, exits and obscured marks.
class ApplicationStateTracking {
  public:
    // Replace "initWithApplicationInfo:" and "_noteProcess:didChangeToState:" on the class,
    // keeping the host's implementations. Each answers whether the replacement is in place.
    static bool hookInitWithApplicationInfo(rt::Class* applicationClass);
    static bool hookNoteProcessDidChangeToState(rt::Class* applicationClass);

    // Acts on a process state the host has taken in.
    static void handleStateReport(rt::Object* app, long long taskState, long long visibility);

    // Forgets the host's implementations (a fresh world).
    static void resetForTesting();
};

}  // namespace morvane
