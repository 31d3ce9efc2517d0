#include "tweak/controls/ToggleCatalogue.h"

#include "tweak/controls/FlipswitchHelper.h"
#include "tweak/controls/SpecialTasksHelper.h"

namespace morvane {

namespace {

using enum Setting;
using Flip = FlipswitchHelper;

// Bluetooth is reached through the device's own Bluetooth manager; the rest through the
// switch panel.
const std::array<ToggleDefinition, kToggleCount> kToggleCatalogue = {{
    {"orientationLock", showOrientationLockToggle, restorePreviousOrientationLockOnAppExit,
     "orientationLockBeforeOpening", &Flip::isOrientationLockEnabled,
     &Flip::setOrientationLockEnabled, "rotation-lock"},
    {"cellular", showCellularToggle, restorePreviousCellularOnAppExit, "cellularBeforeOpening",
     &Flip::isCellularEnabled, &Flip::setCellularEnabled, "cellular-data"},
    {"wifi", showWifiToggle, restorePreviousWifiOnAppExit, "wifiBeforeOpening",
     &Flip::isWifiEnabled, &Flip::setWifiEnabled, "wifi"},
    {"bluetooth", showBluetoothToggle, restorePreviousBluetoothOnAppExit, "bluetoothBeforeOpening",
     &SpecialTasksHelper::isBluetoothEnabled, &SpecialTasksHelper::setBluetoothEnabled,
     "bluetooth"},
    {"airplane", showAirplaneToggle, restorePreviousAirplaneOnAppExit, "airplaneBeforeOpening",
     &Flip::isAirplaneEnabled, &Flip::setAirplaneEnabled, "airplane-mode"},
    {"dnd", showDndToggle, restorePreviousDNDOnAppExit, "dndBeforeOpening", &Flip::isDNDEnabled,
     &Flip::setDNDEnabled, "do-not-disturb"},
    {"location", showLocationToggle, restorePreviousLocationOnAppExit, "locationBeforeOpening",
     &Flip::isLocationEnabled, &Flip::setLocationEnabled, "location"},
    {"autoBrightness", showAutoBrightnessToggle, restorePreviousAutoBrightnessOnAppExit,
     "autoBrightnessBeforeOpening", &Flip::isAutoBrightnessEnabled, &Flip::setAutoBrightnessEnabled,
     "auto-brightness"},
    {"autoLock", showAutoLockToggle, restorePreviousAutoLockOnAppExit, "autoLockBeforeOpening",
     &Flip::isAutoLockEnabled, &Flip::setAutoLockEnabled, "autolock"},
    {"lowPower", showLowPowerToggle, restorePreviousLowPowerOnAppExit, "lowPowerBeforeOpening",
     &Flip::isLowPowerEnabled, &Flip::setLowPowerEnabled, "low-power"},
    {"nightShift", showNightShiftToggle, restorePreviousNightShiftOnAppExit,
     "nightShiftBeforeOpening", &Flip::isNightShiftEnabled, &Flip::setNightShiftEnabled,
     "night-shift"},
    {"vpn", showVpnToggle, restorePreviousVPNOnAppExit, "vpnBeforeOpening", &Flip::isVPNEnabled,
     &Flip::setVPNEnabled, "vpn"},
}};

}  // namespace

const std::array<ToggleDefinition, kToggleCount>& ToggleCatalogue::toggles() {
    return kToggleCatalogue;
}

const ToggleDefinition* ToggleCatalogue::find(std::string_view name) {
    for (const ToggleDefinition& toggle : kToggleCatalogue) {
        if (toggle.name == name) return &toggle;
    }
    return nullptr;
}

}  // namespace morvane
