#include "tweak/lifecycle/ApplicationStateTracking.h"

#include "rt/Messaging.h"
#include "tweak/lifecycle/AppEntry.h"
#include "tweak/lifecycle/AppExit.h"
#include "tweak/lifecycle/ApplicationRecord.h"
#include "tweak/startup/ReplacementGuard.h"

namespace morvane {

namespace {

constexpr long long kTaskNotRunning = 1;
constexpr long long kTaskRunning = 2;
constexpr long long kVisibilityNone = 0;
constexpr long long kVisibilityBackground = 1;
constexpr long long kVisibilityForeground = 2;
constexpr long long kVisibilityForegroundObscured = 3;

using InitWithApplicationInfo = rt::Ref<rt::Object> (*)(rt::Object*, rt::Selector, rt::Object*);
using NoteProcessDidChangeToState = void (*)(rt::Object*, rt::Selector, rt::Object*, rt::Object*);

struct HostImplementations {
    InitWithApplicationInfo initWithApplicationInfo = nullptr;
    NoteProcessDidChangeToState noteProcessDidChangeToState = nullptr;
};

HostImplementations& host() {
    static HostImplementations implementations;
    return implementations;
}

// The host's initializer first; then the new object's record starts with nothing recorded.
rt::Ref<rt::Object> initWithApplicationInfo(rt::Object* self, rt::Selector cmd, rt::Object* info) {
    rt::Ref<rt::Object> app = host().initWithApplicationInfo(self, cmd, info);
    runGuarded([&] {
        if (app) ApplicationRecord::resetRecord(app.get());
    });
    return app;
}

// The host takes the new state in first; then the report is handled.
void noteProcessDidChangeToState(rt::Object* self, rt::Selector cmd, rt::Object* process,
                                 rt::Object* state) {
    host().noteProcessDidChangeToState(self, cmd, process, state);
    runGuarded([&] {
        const auto taskState = rt::send<long long>(state, rt::sel("taskState"));
        const auto visibility = rt::send<long long>(state, rt::sel("visibility"));
        ApplicationStateTracking::handleStateReport(self, taskState, visibility);
    });
}

void exitForeground(rt::Object* app) {
    runGuarded([&] { AppExit::restorePreviousValuesOnAppExit(app); });
    ApplicationRecord::setPreviousStateWasForegroundObscured(app, false);
}

}  // namespace

bool ApplicationStateTracking::hookInitWithApplicationInfo(rt::Class* applicationClass) {
    return rt::hookMessage(applicationClass, rt::sel("initWithApplicationInfo:"),
                           &initWithApplicationInfo, &host().initWithApplicationInfo);
}

bool ApplicationStateTracking::hookNoteProcessDidChangeToState(rt::Class* applicationClass) {
    return rt::hookMessage(applicationClass, rt::sel("_noteProcess:didChangeToState:"),
                           &noteProcessDidChangeToState, &host().noteProcessDidChangeToState);
}

void ApplicationStateTracking::handleStateReport(rt::Object* app, long long taskState,
                                                 long long visibility) {
    if (taskState == kTaskRunning && visibility == kVisibilityForeground &&
        !ApplicationRecord::previousStateWasForegroundObscured(app)) {
        AppEntry::applyCustomValuesOnAppEntry(app);
    } else if (taskState == kTaskNotRunning && visibility == kVisibilityNone) {
        exitForeground(app);
    } else if (taskState == kTaskRunning && visibility == kVisibilityBackground) {
        exitForeground(app);
    } else if (visibility == kVisibilityForegroundObscured) {
        ApplicationRecord::setPreviousStateWasForegroundObscured(app, true);
    }
}

void ApplicationStateTracking::resetForTesting() {
    host() = HostImplementations{};
}

}  // namespace morvane
