#pragma once

#include <array>
#include <filesystem>
#include <string_view>

// The bundle's location in the source tree and the template images it must ship.
inline const std::filesystem::path kBundleDirectory = MORVANE_BUNDLE_DIR;

inline constexpr std::array<std::string_view, 16> kImageNames = {
    "volumeIcon",          "brightnessIcon", "togglesIcon",    "removeIcon",
    "orientationLockIcon", "bluetoothIcon",  "cellularIcon",   "wifiIcon",
    "airplaneIcon",        "dndIcon",        "locationIcon",   "autoBrightnessIcon",
    "autoLockIcon",        "lowPowerIcon",   "nightShiftIcon", "vpnIcon"};
