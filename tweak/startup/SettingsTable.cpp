#include "tweak/startup/SettingsTable.h"

namespace morvane {

namespace {

using enum Setting;

constexpr std::array<SettingDefinition, kSettingCount> kSettingsTable = {{
    {enabled, "enabled", true},
    {showVolumeItem, "showVolumeItem", true},
    {showBrightnessItem, "showBrightnessItem", true},
    {showTogglesItem, "showTogglesItem", true},
    {showNbEnabledTogglesInsteadOfIcons, "showNbEnabledTogglesInsteadOfIcons", false},
    {itemsBeforeStockItems, "itemsBeforeStockItems", false},
    {showOrientationLockToggle, "showOrientationLockToggle", true},
    {showBluetoothToggle, "showBluetoothToggle", true},
    {showCellularToggle, "showCellularToggle", true},
    {showWifiToggle, "showWifiToggle", true},
    {showAirplaneToggle, "showAirplaneToggle", true},
    {showDndToggle, "showDndToggle", false},
    {showLocationToggle, "showLocationToggle", false},
    {showAutoBrightnessToggle, "showAutoBrightnessToggle", true},
    {showAutoLockToggle, "showAutoLockToggle", false},
    {showLowPowerToggle, "showLowPowerToggle", false},
    {showNightShiftToggle, "showNightShiftToggle", false},
    {showVpnToggle, "showVpnToggle", false},
    {restorePreviousVolumeOnAppExit, "restorePreviousVolumeOnAppExit", true},
    {restorePreviousBrightnessOnAppExit, "restorePreviousBrightnessOnAppExit", true},
    {restorePreviousOrientationLockOnAppExit, "restorePreviousOrientationLockOnAppExit", true},
    {restorePreviousCellularOnAppExit, "restorePreviousCellularOnAppExit", true},
    {restorePreviousWifiOnAppExit, "restorePreviousWifiOnAppExit", true},
    {restorePreviousBluetoothOnAppExit, "restorePreviousBluetoothOnAppExit", true},
    {restorePreviousAirplaneOnAppExit, "restorePreviousAirplaneOnAppExit", true},
    {restorePreviousDNDOnAppExit, "restorePreviousDNDOnAppExit", true},
    {restorePreviousLocationOnAppExit, "restorePreviousLocationOnAppExit", true},
    {restorePreviousAutoBrightnessOnAppExit, "restorePreviousAutoBrightnessOnAppExit", true},
    {restorePreviousAutoLockOnAppExit, "restorePreviousAutoLockOnAppExit", true},
    {restorePreviousLowPowerOnAppExit, "restorePreviousLowPowerOnAppExit", true},
    {restorePreviousNightShiftOnAppExit, "restorePreviousNightShiftOnAppExit", true},
    {restorePreviousVPNOnAppExit, "restorePreviousVPNOnAppExit", true},
    {showVolumeHUD, "showVolumeHUD", true},
    {showBrightnessHUD, "showBrightnessHUD", false},
    {brightnessAnimated, "brightnessAnimated", true},
}};

// Each row sits at the index of its enumerator, so definitionOf is a plain index.
constexpr bool rowsFollowEnumOrder() {
    for (std::size_t index = 0; index < kSettingsTable.size(); ++index) {
        if (static_cast<std::size_t>(kSettingsTable[index].setting) != index) return false;
    }
    return true;
}
static_assert(rowsFollowEnumOrder(), "the settings table lists the settings in enum order");

}  // namespace

const std::array<SettingDefinition, kSettingCount>& SettingsTable::definitions() {
    return kSettingsTable;
}

const SettingDefinition& SettingsTable::definitionOf(Setting setting) {
    return kSettingsTable[static_cast<std::size_t>(setting)];
}

}  // namespace morvane
