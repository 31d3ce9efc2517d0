#include "tweak/controls/FlipswitchHelper.h"

#include "rt/Messaging.h"
#include "tweak/startup/HostClass.h"

namespace morvane {

namespace {

constexpr long long kSwitchStateOff = 0;
constexpr long long kSwitchStateOn = 1;

rt::Ref<rt::Object> sharedPanel() {
    static HostClass panelClass("FSSwitchPanel");
    return rt::send<rt::Ref<rt::Object>>(panelClass.get(), rt::sel("sharedPanel"));
}

}  // namespace

std::string FlipswitchHelper::getFullIdentifierForIdentifier(const std::string& identifier) {
    return "com.a3tweaks.switch." + identifier;
}

bool FlipswitchHelper::getStateForIdentifier(const std::string& identifier) {
    const std::string fullIdentifier = getFullIdentifierForIdentifier(identifier);
    const auto state =
        rt::send<long long>(sharedPanel(), rt::sel("stateForSwitchIdentifier:"), fullIdentifier);
    return state != kSwitchStateOff;
}

void FlipswitchHelper::setState(bool state, const std::string& identifier) {
    const std::string fullIdentifier = getFullIdentifierForIdentifier(identifier);
    rt::send<void>(sharedPanel(), rt::sel("setState:forSwitchIdentifier:"),
                   state ? kSwitchStateOn : kSwitchStateOff, fullIdentifier);
}

bool FlipswitchHelper::isOrientationLockEnabled() {
    return getStateForIdentifier("rotation-lock");
}
void FlipswitchHelper::setOrientationLockEnabled(bool state) {
    setState(state, "rotation-lock");
}
bool FlipswitchHelper::isCellularEnabled() {
    return getStateForIdentifier("cellular-data");
}
void FlipswitchHelper::setCellularEnabled(bool state) {
    setState(state, "cellular-data");
}
bool FlipswitchHelper::isWifiEnabled() {
    return getStateForIdentifier("wifi");
}
void FlipswitchHelper::setWifiEnabled(bool state) {
    setState(state, "wifi");
}
bool FlipswitchHelper::isBluetoothEnabled() {
    return getStateForIdentifier("bluetooth");
}
void FlipswitchHelper::setBluetoothEnabled(bool state) {
    setState(state, "bluetooth");
}
bool FlipswitchHelper::isAirplaneEnabled() {
    return getStateForIdentifier("airplane-mode");
}
void FlipswitchHelper::setAirplaneEnabled(bool state) {
    setState(state, "airplane-mode");
}
bool FlipswitchHelper::isDNDEnabled() {
    return getStateForIdentifier("do-not-disturb");
}
void FlipswitchHelper::setDNDEnabled(bool state) {
    setState(state, "do-not-disturb");
}
bool FlipswitchHelper::isLocationEnabled() {
    return getStateForIdentifier("location");
}
void FlipswitchHelper::setLocationEnabled(bool state) {
    setState(state, "location");
}
bool FlipswitchHelper::isAutoBrightnessEnabled() {
    return getStateForIdentifier("auto-brightness");
}
void FlipswitchHelper::setAutoBrightnessEnabled(bool state) {
    setState(state, "auto-brightness");
}
bool FlipswitchHelper::isAutoLockEnabled() {
    return getStateForIdentifier("autolock");
}
void FlipswitchHelper::setAutoLockEnabled(bool state) {
    setState(state, "autolock");
}
bool FlipswitchHelper::isLowPowerEnabled() {
    return getStateForIdentifier("low-power");
}
void FlipswitchHelper::setLowPowerEnabled(bool state) {
    setState(state, "low-power");
}
bool FlipswitchHelper::isNightShiftEnabled() {
    return getStateForIdentifier("night-shift");
}
void FlipswitchHelper::setNightShiftEnabled(bool state) {
    setState(state, "night-shift");
}
bool FlipswitchHelper::isVPNEnabled() {
    return getStateForIdentifier("vpn");
}
void FlipswitchHelper::setVPNEnabled(bool state) {
    setState(state, "vpn");
}

}  // namespace morvane
