#include "tweak/controls/BrightnessControl.h"

#include <algorithm>
#include <cmath>

#include "core/dispatch/Queue.h"
#include "rt/Messaging.h"
#include "tweak/controls/DebouncedLevel.h"
#include "tweak/startup/HostClass.h"
#include "tweak/startup/ReplacementGuard.h"
#include "tweak/startup/Settings.h"

namespace morvane {

namespace {

struct BrightnessState {
    // isAlreadyCurrentlyChangingBrightness and the pending level: requested on the main
    // thread, taken on the global queue.
    DebouncedLevel requests;
    // The target of the glide allowed to go on (main queue only).
    double animatedBrightnessTarget = 0;
};

BrightnessState& state() {
    static BrightnessState brightnessState;
    return brightnessState;
}

HostClass& brightnessControllerClass() {
    static HostClass hostClass("SBBrightnessController");
    return hostClass;
}

HostClass& settingsDetailClass() {
    static HostClass hostClass("PSBrightnessSettingsDetail");
    return hostClass;
}

HostClass& screenClass() {
    static HostClass hostClass("UIScreen");
    return hostClass;
}

// The wait between glide steps: the step taken as seconds, in whole nanoseconds.
double waitForStep(double step) {
    return std::trunc(step * 1e9) / 1e9;
}

bool movedTowards(double current, double lastRead, bool goingUp) {
    return goingUp ? current > lastRead : current < lastRead;
}

}  // namespace

void BrightnessControl::changeBrightness(double level,
                                         const std::optional<LevelRequester>& requester) {
    if (state().requests.request(level, requester) != DebouncedLevel::Admission::Accepted) return;
    core::after(kCheckDelaySeconds, core::Queue::Global, [] { brightnessCheck(); });
}

// Runs on the global queue: the set goes to the main queue only if the brightness differs.
void BrightnessControl::brightnessCheck() {
    const std::optional<DebouncedLevel::Taken> request = state().requests.takePending();
    if (!request) return;
    bool setSubmitted = false;
    runGuarded([&] {
        if (currentBrightness() == request->level) return;
        core::async(core::Queue::Main, [request = *request] {
            bool handled = false;
            runGuarded([&] {
                brightnessSet(request.level, request.ticket);
                handled = true;
            });
            if (!handled) state().requests.settle(request.ticket);
        });
        setSubmitted = true;
    });
    if (!setSubmitted) state().requests.settle(request->ticket);
}

// Settles the request at once when the level is set in one call; a glide settles it when
// it stops.
void BrightnessControl::brightnessSet(double level, std::uint64_t request) {
    if (!Settings::isOn(Setting::brightnessAnimated)) {
        setBrightnessLevel(level);
        state().requests.settle(request);
        return;
    }
    const double start = settingsBrightness();
    const bool goingUp = start < level;
    const bool small = std::fabs(settingsBrightness() - level) < kSmallChange;
    state().animatedBrightnessTarget = level;
    GlideProgress progress;
    progress.request = request;
    animateBrightnessStep(goingUp, small, level, progress);
}

void BrightnessControl::animateBrightnessStep(bool goingUp, bool small, double target,
                                              GlideProgress progress) {
    if (state().animatedBrightnessTarget != target) {
        settle(progress);
        return;
    }
    const double current = settingsBrightness();
    if (progress.lastRead && !movedTowards(current, *progress.lastRead, goingUp)) {
        if (++progress.stepsWithoutProgress >= kMaxStepsWithoutProgress) {
            settle(progress);
            return;
        }
    } else {
        progress.stepsWithoutProgress = 0;
    }
    progress.lastRead = current;
    const double step = small ? kFineStep : kCoarseStep;
    if (current < target && goingUp) {
        setBrightnessLevel(std::min(current + step, 1.0));
    } else if (current > target && !goingUp) {
        setBrightnessLevel(std::max(current - step, 0.0));
    } else {
        settle(progress);
        return;
    }
    core::after(waitForStep(step), core::Queue::Main, [goingUp, small, target, progress] {
        bool stepped = false;
        runGuarded([&] {
            animateBrightnessStep(goingUp, small, target, progress);
            stepped = true;
        });
        if (!stepped) settle(progress);
    });
}

void BrightnessControl::settle(const GlideProgress& progress) {
    if (progress.request) state().requests.settle(*progress.request);
}

void BrightnessControl::setBrightnessLevel(double level) {
    rt::Ref<rt::Object> controller = rt::send<rt::Ref<rt::Object>>(
        brightnessControllerClass().get(), rt::sel("sharedBrightnessController"));
    rt::send<void>(controller, rt::sel("_setBrightnessLevel:showHUD:"), static_cast<float>(level),
                   Settings::isOn(Setting::showBrightnessHUD));
}

double BrightnessControl::settingsBrightness() {
    return rt::send<double>(settingsDetailClass().get(), rt::sel("currentValue"));
}

double BrightnessControl::currentBrightness() {
    rt::Ref<rt::Object> screen =
        rt::send<rt::Ref<rt::Object>>(screenClass().get(), rt::sel("mainScreen"));
    return rt::send<double>(screen, rt::sel("brightness"));
}

std::optional<double> BrightnessControl::restoreUnderWayFor(const std::string& bundleId) {
    return state().requests.restoreUnderWayFor(bundleId);
}

bool BrightnessControl::isAlreadyCurrentlyChangingBrightness() {
    return state().requests.isPending();
}

void BrightnessControl::resetForTesting() {
    state().requests.reset();
    state().animatedBrightnessTarget = 0;
}

}  // namespace morvane
