#include "tweak/startup/Settings.h"

#include <array>
#include <atomic>
#include <memory>

#include "core/preferences/HBPreferences.h"
#include "tweak/startup/SettingsTable.h"

namespace morvane {

namespace {

struct SettingsState {
    std::unique_ptr<core::HBPreferences> preferences;
    std::array<std::atomic<bool>, kSettingCount> flags{};
};

SettingsState& state() {
    static SettingsState settingsState;
    return settingsState;
}

}  // namespace

void Settings::registerAll() {
    SettingsState& settings = state();
    settings.preferences = std::make_unique<core::HBPreferences>(kDomain);
    for (const SettingDefinition& definition : SettingsTable::definitions()) {
        std::atomic<bool>* flag = &settings.flags[static_cast<std::size_t>(definition.setting)];
        settings.preferences->registerBool(flag, definition.defaultValue,
                                           std::string(definition.key));
    }
}

bool Settings::isOn(Setting setting) {
    return state().flags[static_cast<std::size_t>(setting)].load(std::memory_order_relaxed);
}

void Settings::resetForTesting() {
    SettingsState& settings = state();
    settings.preferences.reset();
    for (std::atomic<bool>& flag : settings.flags) flag.store(false);
}

}  // namespace morvane
