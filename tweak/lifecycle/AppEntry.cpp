#include "tweak/lifecycle/AppEntry.h"

#include <optional>
#include <string>

#include "core/dispatch/Queue.h"
#include "rt/Messaging.h"
#include "tweak/controls/BrightnessControl.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/controls/ToggleOperations.h"
#include "tweak/controls/VolumeControl.h"
#include "tweak/lifecycle/ApplicationRecord.h"
#include "tweak/startup/ReplacementGuard.h"
#include "tweak/startup/SharedState.h"
#include "tweak/store/CustomValuesStore.h"

namespace morvane {

namespace {

// The level in force before the app opens: the one its own exit is still putting back, if
// any (the device still shows the app's level then), else the device's.
double levelBeforeOpening(std::optional<double> restoreUnderWay, double (*readCurrent)()) {
    return restoreUnderWay ? *restoreUnderWay : readCurrent();
}

}  // namespace

void AppEntry::applyCustomValuesOnAppEntry(rt::Object* app) {
    const auto bundleId = rt::send<std::string>(app, rt::sel("bundleIdentifier"));
    SharedState::lastForegroundAppBundleId() = bundleId;
    const long long session = ApplicationRecord::noteForegroundEntry(app);

    const double volume = CustomValuesStore::getCustomVolumeForApp(bundleId);
    const double brightness = CustomValuesStore::getCustomBrightnessForApp(bundleId);
    const std::optional<core::PlistDictionary> toggles =
        CustomValuesStore::getCustomTogglesForApp(bundleId);
    const bool hasToggles = toggles && !toggles->empty();
    if (volume == CustomValuesStore::kNoLevel && brightness == CustomValuesStore::kNoLevel &&
        !hasToggles)
        return;

    const LevelRequester requester{bundleId, LevelPurpose::Entry};
    if (volume != CustomValuesStore::kNoLevel) {
        ApplicationRecord::setVolumeBeforeOpening(
            app, levelBeforeOpening(VolumeControl::restoreUnderWayFor(bundleId),
                                    &VolumeControl::currentVolume));
        VolumeControl::changeVolume(volume, requester);
    }
    if (brightness != CustomValuesStore::kNoLevel) {
        ApplicationRecord::setBrightnessBeforeOpening(
            app, levelBeforeOpening(BrightnessControl::restoreUnderWayFor(bundleId),
                                    &BrightnessControl::currentBrightness));
        BrightnessControl::changeBrightness(brightness, requester);
    }
    if (hasToggles) {
        recordCurrentToggles(app, *toggles);
        scheduleToggles(app, *toggles, session);
    }
}

void AppEntry::recordCurrentToggles(rt::Object* app, const core::PlistDictionary& toggles) {
    for (const ToggleDefinition& toggle : ToggleCatalogue::toggles()) {
        if (!CustomValuesStore::toggleEntryIn(toggles, toggle.name)) continue;
        ApplicationRecord::setToggleBeforeOpening(app, toggle, toggle.isEnabled() ? 1 : 0);
    }
}

// The toggles as they were stored at entry are applied 0.3 s later, unless the app has left
// the foreground by then (its exit has already put the recorded states back).
void AppEntry::scheduleToggles(rt::Object* app, const core::PlistDictionary& toggles,
                               long long session) {
    core::after(kToggleApplicationDelaySeconds, core::Queue::Main,
                [app = rt::retained(app), toggles, session] {
                    runGuarded([&] {
                        if (!ApplicationRecord::isInForegroundSession(app.get(), session)) return;
                        ToggleOperations::applyToggles(toggles);
                    });
                });
}

}  // namespace morvane
