#pragma once

#include <string>

namespace morvane {

// Reads and sets the device's switches through the switch panel ("FSSwitchPanel"). Class
// operations only. An indeterminate switch reads as on; without a panel every switch reads
// off and sets do nothing.
class FlipswitchHelper {
  public:
    FlipswitchHelper() = delete;

    static std::string getFullIdentifierForIdentifier(const std::string& identifier);
    static bool getStateForIdentifier(const std::string& identifier);
    static void setState(bool state, const std::string& identifier);

    static bool isOrientationLockEnabled();
    static void setOrientationLockEnabled(bool state);
    static bool isCellularEnabled();
    static void setCellularEnabled(bool state);
    static bool isWifiEnabled();
    static void setWifiEnabled(bool state);
    static bool isBluetoothEnabled();
    static void setBluetoothEnabled(bool state);
    static bool isAirplaneEnabled();
    static void setAirplaneEnabled(bool state);
    static bool isDNDEnabled();
    static void setDNDEnabled(bool state);
    static bool isLocationEnabled();
    static void setLocationEnabled(bool state);
    static bool isAutoBrightnessEnabled();
    static void setAutoBrightnessEnabled(bool state);
    static bool isAutoLockEnabled();
    static void setAutoLockEnabled(bool state);
    static bool isLowPowerEnabled();
    static void setLowPowerEnabled(bool state);
    static bool isNightShiftEnabled();
    static void setNightShiftEnabled(bool state);
    static bool isVPNEnabled();
    static void setVPNEnabled(bool state);
};

}  // namespace morvane
