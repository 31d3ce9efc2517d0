#include "tweak/controls/VolumeControl.h"

#include <atomic>

#include "core/dispatch/Queue.h"
#include "rt/Messaging.h"
#include "tweak/startup/HostClass.h"
#include "tweak/startup/ReplacementGuard.h"
#include "tweak/startup/Settings.h"

namespace morvane {

namespace {

// isAlreadyCurrentlyChangingVolume: set on the main thread, cleared on the global queue.
std::atomic<bool>& changingVolume() {
    static std::atomic<bool> pending{false};
    return pending;
}

rt::Ref<rt::Object> mediaController() {
    static HostClass mediaControllerClass("SBMediaController");
    return rt::send<rt::Ref<rt::Object>>(mediaControllerClass.get(), rt::sel("sharedInstance"));
}

void releaseVolumeOverlay(const rt::Ref<rt::Object>& controller) {
    core::after(VolumeControl::kOverlayReleaseDelaySeconds, core::Queue::Main, [controller] {
        runGuarded([&] { rt::send<void>(controller, rt::sel("setSuppressHUD:"), false); });
    });
}

// Runs on the global queue: the set goes to the main queue only if the volume differs.
void volumeCheck(const rt::Ref<rt::Object>& controller, double level) {
    runGuarded([&] {
        const auto current = static_cast<double>(rt::send<float>(controller, rt::sel("volume")));
        if (current == level) return;
        core::async(core::Queue::Main, [controller, level] {
            runGuarded([&] {
                rt::send<void>(controller, rt::sel("setVolume:"), static_cast<float>(level));
            });
        });
    });
    changingVolume().store(false);
    if (!Settings::isOn(Setting::showVolumeHUD))
        runGuarded([&] { releaseVolumeOverlay(controller); });
}

}  // namespace

void VolumeControl::changeVolume(double level) {
    if (changingVolume().load()) return;
    rt::Ref<rt::Object> controller = mediaController();
    if (!Settings::isOn(Setting::showVolumeHUD))
        rt::send<void>(controller, rt::sel("setSuppressHUD:"), true);
    changingVolume().store(true);
    core::after(kCheckDelaySeconds, core::Queue::Global,
                [controller, level] { volumeCheck(controller, level); });
}

double VolumeControl::currentVolume() {
    return static_cast<double>(rt::send<float>(mediaController(), rt::sel("volume")));
}

bool VolumeControl::isAlreadyCurrentlyChangingVolume() {
    return changingVolume().load();
}

void VolumeControl::resetForTesting() {
    changingVolume().store(false);
}

}  // namespace morvane
