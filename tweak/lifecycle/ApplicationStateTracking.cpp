#include "tweak/lifecycle/ApplicationStateTracking.h"

#include "rt/Hook.h"
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

void exitForeground(rt::Object* app) {
    runGuarded([&] { AppExit::restorePreviousValuesOnAppExit(app); });
    ApplicationRecord::setPreviousStateWasForegroundObscured(app, false);
}

}  // namespace

rt::Ref<rt::Object> ApplicationStateTracking::initWithApplicationInfo(rt::Object* self,
                                                                      rt::Selector cmd,
                                                                      rt::Object* info) {
    rt::Ref<rt::Object> app = rt::original<&initWithApplicationInfo>(self, cmd, info);
    runGuarded([&] {
        if (app) ApplicationRecord::resetRecord(app.get());
    });
    return app;
}

void ApplicationStateTracking::noteProcess(rt::Object* self, rt::Selector cmd, rt::Object* process,
                                           rt::Object* state) {
    rt::original<&noteProcess>(self, cmd, process, state);
    runGuarded([&] {
        const auto taskState = rt::send<long long>(state, rt::sel("taskState"));
        const auto visibility = rt::send<long long>(state, rt::sel("visibility"));
        handleStateReport(self, taskState, visibility);
    });
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

}  // namespace morvane
