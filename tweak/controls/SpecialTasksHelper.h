#pragma once

#include <optional>
#include <string>

namespace morvane {

// Reads and sets the device's switches through the host's own system services, each class
// found by name at the moment of the call. Class operations only. A missing class has no
// effect and its getter reads off. The guarded setters act only when the switch is not
// already in the asked state.
class SpecialTasksHelper {
  public:
    SpecialTasksHelper() = delete;

    static void setAirplaneEnabled(bool state);
    static bool isAirplaneEnabled();
    static void setWifiEnabled(bool state);
    static bool isWifiEnabled();
    static void setCellularEnabled(bool state);
    static bool isCellularEnabled();
    static void setOrientationLockEnabled(bool state);
    static bool isOrientationLockEnabled();
    static void setDNDEnabled(bool state);
    // Always off: the native state is not read (the catalogue reads it from the switch panel).
    static bool isDNDEnabled();
    static void setBluetoothEnabled(bool state);
    // Disconnects the connected devices of that name, or every one when there is no name.
    static void disconnectBluetoothDevice(const std::optional<std::string>& name);
    static bool isBluetoothEnabled();
    static void setLocationEnabled(bool state);
    static bool isLocationEnabled();
    static void setAutoBrightnessEnabled(bool state);
    static bool isAutoBrightnessEnabled();
    // Sets the media volume at once to percent / 100, without the volume overlay.
    static void setCustomVolume(double percent);
};

}  // namespace morvane
