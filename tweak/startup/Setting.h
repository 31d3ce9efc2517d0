#pragma once

#include <cstddef>

namespace morvane {

// The 35 global settings of the domain "com.kelvrin.morvane", in registration order. Each
// enumerator is spelled like its key; the keys and defaults are in SettingsTable.
enum class Setting : std::size_t {
    enabled,
    showVolumeItem,
    showBrightnessItem,
    showTogglesItem,
    showNbEnabledTogglesInsteadOfIcons,
    itemsBeforeStockItems,
    showOrientationLockToggle,
    showBluetoothToggle,
    showCellularToggle,
    showWifiToggle,
    showAirplaneToggle,
    showDndToggle,
    showLocationToggle,
    showAutoBrightnessToggle,
    showAutoLockToggle,
    showLowPowerToggle,
    showNightShiftToggle,
    showVpnToggle,
    restorePreviousVolumeOnAppExit,
    restorePreviousBrightnessOnAppExit,
    restorePreviousOrientationLockOnAppExit,
    restorePreviousCellularOnAppExit,
    restorePreviousWifiOnAppExit,
    restorePreviousBluetoothOnAppExit,
    restorePreviousAirplaneOnAppExit,
    restorePreviousDNDOnAppExit,
    restorePreviousLocationOnAppExit,
    restorePreviousAutoBrightnessOnAppExit,
    restorePreviousAutoLockOnAppExit,
    restorePreviousLowPowerOnAppExit,
    restorePreviousNightShiftOnAppExit,
    restorePreviousVPNOnAppExit,
    showVolumeHUD,
    showBrightnessHUD,
    brightnessAnimated,
};

inline constexpr std::size_t kSettingCount = 35;

}  // namespace morvane
