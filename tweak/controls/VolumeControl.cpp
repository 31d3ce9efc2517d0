#include "tweak/controls/VolumeControl.h"

#include "core/dispatch/Queue.h"
#include "rt/Messaging.h"
#include "tweak/controls/DebouncedLevel.h"
#include "tweak/startup/HostClass.h"
#include "tweak/startup/ReplacementGuard.h"
#include "tweak/startup/Settings.h"

namespace morvane {

namespace {

// isAlreadyCurrentlyChangingVolume and the pending level: requested on the main thread,
// taken on the global queue.
DebouncedLevel& volumeRequests() {
    static DebouncedLevel requests;
    return requests;
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
void volumeCheck(const rt::Ref<rt::Object>& controller) {
    const std::optional<DebouncedLevel::Taken> request = volumeRequests().takePending();
    if (!request) return;
    bool setSubmitted = false;
    runGuarded([&] {
        const auto current = static_cast<double>(rt::send<float>(controller, rt::sel("volume")));
        if (current == request->level) return;
        core::async(core::Queue::Main, [controller, request = *request] {
            runGuarded([&] {
                rt::send<void>(controller, rt::sel("setVolume:"),
                               static_cast<float>(request.level));
            });
            volumeRequests().settle(request.ticket);
        });
        setSubmitted = true;
    });
    if (!setSubmitted) volumeRequests().settle(request->ticket);
    if (!Settings::isOn(Setting::showVolumeHUD))
        runGuarded([&] { releaseVolumeOverlay(controller); });
}

}  // namespace

// A replacing request finds the overlay already held back by the request it replaces.
void VolumeControl::changeVolume(double level, const std::optional<LevelRequester>& requester) {
    const DebouncedLevel::Admission admission = volumeRequests().request(level, requester);
    if (admission != DebouncedLevel::Admission::Accepted) return;
    rt::Ref<rt::Object> controller = mediaController();
    if (!Settings::isOn(Setting::showVolumeHUD))
        rt::send<void>(controller, rt::sel("setSuppressHUD:"), true);
    core::after(kCheckDelaySeconds, core::Queue::Global, [controller] { volumeCheck(controller); });
}

double VolumeControl::currentVolume() {
    return static_cast<double>(rt::send<float>(mediaController(), rt::sel("volume")));
}

std::optional<double> VolumeControl::restoreUnderWayFor(const std::string& bundleId) {
    return volumeRequests().restoreUnderWayFor(bundleId);
}

bool VolumeControl::isAlreadyCurrentlyChangingVolume() {
    return volumeRequests().isPending();
}

void VolumeControl::resetForTesting() {
    volumeRequests().reset();
}

}  // namespace morvane
