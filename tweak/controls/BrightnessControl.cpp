#include "tweak/controls/BrightnessControl.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "core/dispatch/Queue.h"
#include "rt/Messaging.h"
#include "tweak/startup/HostClass.h"
#include "tweak/startup/ReplacementGuard.h"
#include "tweak/startup/Settings.h"

namespace morvane {

namespace {

struct BrightnessState {
    // isAlreadyCurrentlyChangingBrightness: set on the main thread, cleared on the global queue.
    std::atomic<bool> changingBrightness{false};
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

void BrightnessControl::changeBrightness(double level) {
    if (state().changingBrightness.load()) return;
    state().changingBrightness.store(true);
    core::after(kCheckDelaySeconds, core::Queue::Global, [level] { brightnessCheck(level); });
}

// Runs on the global queue: the set goes to the main queue only if the brightness differs.
void BrightnessControl::brightnessCheck(double level) {
    runGuarded([&] {
        if (currentBrightness() == level) return;
        core::async(core::Queue::Main, [level] { runGuarded([&] { brightnessSet(level); }); });
    });
    state().changingBrightness.store(false);
}

void BrightnessControl::brightnessSet(double level) {
    if (!Settings::isOn(Setting::brightnessAnimated)) {
        setBrightnessLevel(level);
        return;
    }
    const double start = settingsBrightness();
    const bool goingUp = start < level;
    const bool small = std::fabs(settingsBrightness() - level) < kSmallChange;
    state().animatedBrightnessTarget = level;
    animateBrightnessStep(goingUp, small, level);
}

void BrightnessControl::animateBrightnessStep(bool goingUp, bool small, double target,
                                              GlideProgress progress) {
    if (state().animatedBrightnessTarget != target) return;
    const double current = settingsBrightness();
    if (progress.lastRead && !movedTowards(current, *progress.lastRead, goingUp)) {
        if (++progress.stepsWithoutProgress >= kMaxStepsWithoutProgress) return;
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
        return;
    }
    core::after(waitForStep(step), core::Queue::Main, [goingUp, small, target, progress] {
        runGuarded([&] { animateBrightnessStep(goingUp, small, target, progress); });
    });
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

bool BrightnessControl::isAlreadyCurrentlyChangingBrightness() {
    return state().changingBrightness.load();
}

void BrightnessControl::resetForTesting() {
    state().changingBrightness.store(false);
    state().animatedBrightnessTarget = 0;
}

}  // namespace morvane
