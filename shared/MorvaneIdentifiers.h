#pragma once

// The names the tweak, the settings pane and the hosts meet through: the settings domain, the
// file that holds the settings and every app's values, and the notification that tells the
// home screen to read the file again. Spelled once, here.
#define MORVANE_SETTINGS_DOMAIN "com.kelvrin.morvane"

namespace morvane::identifiers {

inline constexpr const char* kSettingsDomain = MORVANE_SETTINGS_DOMAIN;
// The file's name in the mobile user's Library/Preferences.
inline constexpr const char* kValuesFileName = MORVANE_SETTINGS_DOMAIN ".plist";
inline constexpr const char* kValuesFileDevicePath =
    "/var/mobile/Library/Preferences/" MORVANE_SETTINGS_DOMAIN ".plist";
inline constexpr const char* kReloadNotification = MORVANE_SETTINGS_DOMAIN "/ReloadPrefs";

}  // namespace morvane::identifiers

#undef MORVANE_SETTINGS_DOMAIN
