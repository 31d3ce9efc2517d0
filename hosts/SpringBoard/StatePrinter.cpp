#include "StatePrinter.h"

#include <array>
#include <cstdio>

#include "HomeScreenQuantities.h"
#include "StoredValues.h"
#include "TimelineSummary.h"
#include "core/dispatch/Clock.h"
#include "core/preferences/HBPreferences.h"
#include "device/Phone.h"
#include "shared/MorvaneIdentifiers.h"

namespace {

// The application record's properties that a scenario can read, in the record's order.
constexpr std::array<const char*, 15> kRecordProperties = {
    "volumeBeforeOpening",         "brightnessBeforeOpening", "orientationLockBeforeOpening",
    "cellularBeforeOpening",       "wifiBeforeOpening",       "bluetoothBeforeOpening",
    "airplaneBeforeOpening",       "dndBeforeOpening",        "locationBeforeOpening",
    "autoBrightnessBeforeOpening", "autoLockBeforeOpening",   "lowPowerBeforeOpening",
    "nightShiftBeforeOpening",     "vpnBeforeOpening",        "previousStateWasForegroundObscured"};

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

}  // namespace

std::string StatePrinter::device() {
    const auto& phone = device::Phone::shared();
    std::string text = "device at " + format("%.3f", core::Clock::now()) + " s\n";
    text += "  volume      " + format("%.2f", phone.volume()) + "\n";
    text += "  brightness  " + format("%.2f", phone.brightness()) + "\n";
    for (const auto which : device::allSwitches()) {
        std::string name(device::switchName(which));
        name.resize(16, ' ');
        text += "  " + name + std::string(device::switchStateName(phone.switchState(which))) + "\n";
    }
    const auto overlays = phone.overlays();
    text += "  overlays    volume " + std::to_string(overlays.volume) + ", brightness " +
            std::to_string(overlays.brightness) + "\n";
    return text;
}

std::string StatePrinter::application(const std::string& bundleIdentifier) {
    std::string text = "app " + bundleIdentifier + "\n";
    bool any = false;
    for (const char* property : kRecordProperties) {
        const auto value = HomeScreenQuantities::recordProperty(bundleIdentifier, property);
        if (!value) continue;
        any = true;
        text += "  " + std::string(property) + " = " + format("%g", *value) + "\n";
    }
    if (!any) text += "  (no record: the library is not active in this host)\n";
    return text;
}

std::string StatePrinter::store() {
    return "values file " + std::string(StoredValues::kDevicePath) + "\n" +
           StoredValues::describe();
}

std::string StatePrinter::settings() {
    std::string text = "settings held by the library\n";
    const auto flags = core::HBPreferences::boundFlags(morvane::identifiers::kSettingsDomain);
    for (const auto& [key, on] : flags) text += "  " + key + " = " + (on ? "on" : "off") + "\n";
    if (flags.empty()) text += "  (none: the library is not active in this host)\n";
    return text;
}

std::string StatePrinter::timeline() {
    return "timeline\n" + TimelineSummary::format(device::Phone::shared().timeline());
}
