#include "prefs/AppValuesFile.h"

#include "core/notify/NotifyCenter.h"
#include "core/preferences/PreferenceFileUpdate.h"
#include "prefs/SettingsFile.h"

namespace morvane::prefs {

app_values::AppValuesTable AppValuesFile::read() {
    const auto file = SettingsFile::read();
    app_values::AppValuesTable apps =
        file ? app_values::readAppValues(*file) : app_values::AppValuesTable{};
    std::erase_if(apps, [](const auto& entry) { return !entry.second.actsOnEntry(); });
    return apps;
}

bool AppValuesFile::change(settings::PSListController& page, const std::string& what,
                           const Change& change) {
    const auto result = core::PreferenceFileUpdate::apply(SettingsFile::devicePath(), change,
                                                          core::PlistFormat::Xml);
    if (!result.written()) {
        page.presentAlert("Not Saved", what + " failed: " + result.message);
        return false;
    }
    if (!core::NotifyCenter::post(identifiers::kReloadNotification))
        page.presentAlert("Not Applied",
                          what + " was saved, but the home screen could not be told");
    if (!result.keptAsideAs.empty())
        page.presentAlert("Settings File Replaced", result.message + "; a new file was written");
    return true;
}

}  // namespace morvane::prefs
