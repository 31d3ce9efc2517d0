#include "tweak/lifecycle/AppExit.h"

#include <string>

#include "rt/Messaging.h"
#include "tweak/controls/BrightnessControl.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/controls/ToggleOperations.h"
#include "tweak/controls/VolumeControl.h"
#include "tweak/lifecycle/ApplicationRecord.h"
#include "tweak/startup/Settings.h"
#include "tweak/store/CustomValuesStore.h"

namespace morvane {

void AppExit::restorePreviousValuesOnAppExit(rt::Object* app) {
    if (!ApplicationRecord::takeRestoreDue(app)) return;
    const auto bundleId = rt::send<std::string>(app, rt::sel("bundleIdentifier"));
    const LevelRequester requester{bundleId, LevelPurpose::Restore};

    const double volumeBefore = ApplicationRecord::volumeBeforeOpening(app);
    if (Settings::isOn(Setting::restorePreviousVolumeOnAppExit) &&
        CustomValuesStore::getCustomVolumeForApp(bundleId) != CustomValuesStore::kNoLevel &&
        volumeBefore != ApplicationRecord::kNoLevel) {
        VolumeControl::changeVolume(volumeBefore, requester);
    }

    const double brightnessBefore = ApplicationRecord::brightnessBeforeOpening(app);
    if (Settings::isOn(Setting::restorePreviousBrightnessOnAppExit) &&
        CustomValuesStore::getCustomBrightnessForApp(bundleId) != CustomValuesStore::kNoLevel &&
        brightnessBefore != ApplicationRecord::kNoLevel) {
        BrightnessControl::changeBrightness(brightnessBefore, requester);
    }

    const core::PlistDictionary toggles =
        CustomValuesStore::getCustomTogglesForApp(bundleId).value_or(core::PlistDictionary{});
    for (const ToggleDefinition& toggle : ToggleCatalogue::toggles()) {
        if (!Settings::isOn(toggle.restoreSetting)) continue;
        const long long previousState = ApplicationRecord::toggleBeforeOpening(app, toggle);
        if (!ToggleOperations::shouldRestoreToggle(toggle.name, previousState, toggles)) continue;
        toggle.setEnabled(previousState != 0);
    }
}

}  // namespace morvane
