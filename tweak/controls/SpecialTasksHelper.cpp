#include "tweak/controls/SpecialTasksHelper.h"

#include <vector>

#include "core/dispatch/Queue.h"
#include "core/preferences/AppPreferences.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/Runtime.h"
#include "tweak/controls/ServiceFunctions.h"
#include "tweak/startup/ReplacementGuard.h"

namespace morvane {

namespace {

constexpr const char* kBackboardDomain = "com.apple.backboardd";
constexpr const char* kAutoBrightnessKey = "BKEnableALS";
constexpr const char* kDNDClientIdentifier = "com.apple.donotdisturb.control-center.module";
constexpr const char* kDNDAssertionIdentifier = "com.apple.control-center.manual-toggle";
constexpr const char* kDNDModeIdentifier = "com.apple.donotdisturb.mode.default";
constexpr double kSuppressedVolumeOverlaySeconds = 0.3;

rt::Ref<rt::Object> sharedInstanceOf(const char* className) {
    return rt::send<rt::Ref<rt::Object>>(rt::lookUpClass(className), rt::sel("sharedInstance"));
}

// The guard of the guarded setters: act only when the switch differs from the asked state.
bool differs(bool current, bool asked) {
    return (current ^ asked) == 1;
}

}  // namespace

void SpecialTasksHelper::setAirplaneEnabled(bool state) {
    if (!differs(isAirplaneEnabled(), state)) return;
    rt::Ref<rt::Object> radios = rt::makeOfClass(rt::lookUpClass("RadiosPreferences"));
    rt::send<void>(radios, rt::sel("setAirplaneMode:"), state);
    rt::send<void>(radios, rt::sel("synchronize"));
}

bool SpecialTasksHelper::isAirplaneEnabled() {
    rt::Ref<rt::Object> radios = rt::makeOfClass(rt::lookUpClass("RadiosPreferences"));
    return rt::send<bool>(radios, rt::sel("airplaneMode"));
}

void SpecialTasksHelper::setWifiEnabled(bool state) {
    if (!differs(isWifiEnabled(), state)) return;
    rt::send<void>(sharedInstanceOf("SBWiFiManager"), rt::sel("setWiFiEnabled:"), state);
}

bool SpecialTasksHelper::isWifiEnabled() {
    return rt::send<bool>(sharedInstanceOf("SBWiFiManager"), rt::sel("wiFiEnabled"));
}

void SpecialTasksHelper::setCellularEnabled(bool state) {
    if (!differs(isCellularEnabled(), state)) return;
    if (services::CTCellularDataPlanSetIsEnabled) services::CTCellularDataPlanSetIsEnabled(state);
}

bool SpecialTasksHelper::isCellularEnabled() {
    return services::CTCellularDataPlanGetIsEnabled && services::CTCellularDataPlanGetIsEnabled();
}

void SpecialTasksHelper::setOrientationLockEnabled(bool state) {
    if (!differs(isOrientationLockEnabled(), state)) return;
    rt::send<void>(sharedInstanceOf("SBOrientationLockManager"),
                   rt::sel(state ? "lock" : "unlock"));
}

bool SpecialTasksHelper::isOrientationLockEnabled() {
    return rt::send<bool>(sharedInstanceOf("SBOrientationLockManager"), rt::sel("isUserLocked"));
}

void SpecialTasksHelper::setDNDEnabled(bool state) {
    rt::Ref<rt::Object> service =
        rt::send<rt::Ref<rt::Object>>(rt::lookUpClass("DNDModeAssertionService"),
                                      rt::sel("serviceForClientIdentifier:"), kDNDClientIdentifier);
    if (service) {
        if (state) {
            rt::Ref<rt::Object> details = rt::send<rt::Ref<rt::Object>>(
                rt::lookUpClass("DNDModeAssertionDetails"),
                rt::sel("userRequestedAssertionDetailsWithIdentifier:modeIdentifier:lifetime:"),
                kDNDAssertionIdentifier, kDNDModeIdentifier, nullptr);
            rt::send<rt::Ref<rt::Object>>(service, rt::sel("takeModeAssertionWithDetails:error:"),
                                          details, nullptr);
        } else {
            rt::send<bool>(service, rt::sel("invalidateAllActiveModeAssertionsWithError:"),
                           nullptr);
        }
        return;
    }
    rt::Ref<rt::Object> gateway = rt::makeOfClass(rt::lookUpClass("BBSettingsGateway"));
    rt::send<void>(gateway, rt::sel("setBehaviorOverrideStatus:"),
                   static_cast<long long>(state ? 1 : 0));
}

bool SpecialTasksHelper::isDNDEnabled() {
    return false;
}

void SpecialTasksHelper::setBluetoothEnabled(bool state) {
    if (!differs(isBluetoothEnabled(), state)) return;
    rt::send<void>(sharedInstanceOf("BluetoothManager"), rt::sel("setEnabled:"), state);
}

void SpecialTasksHelper::disconnectBluetoothDevice(const std::optional<std::string>& name) {
    rt::Ref<rt::Object> manager = sharedInstanceOf("BluetoothManager");
    const auto devices =
        rt::send<std::vector<rt::Ref<rt::Object>>>(manager, rt::sel("connectedDevices"));
    for (const rt::Ref<rt::Object>& device : devices) {
        if (name && rt::send<std::string>(device, rt::sel("name")) != *name) continue;
        rt::send<void>(manager, rt::sel("disconnectDevicePhysicalLink:"), device);
    }
}

bool SpecialTasksHelper::isBluetoothEnabled() {
    return rt::send<bool>(sharedInstanceOf("BluetoothManager"), rt::sel("enabled"));
}

void SpecialTasksHelper::setLocationEnabled(bool state) {
    rt::send<void>(rt::lookUpClass("CLLocationManager"), rt::sel("setLocationServicesEnabled:"),
                   state);
}

bool SpecialTasksHelper::isLocationEnabled() {
    return rt::send<bool>(rt::lookUpClass("CLLocationManager"), rt::sel("locationServicesEnabled"));
}

void SpecialTasksHelper::setAutoBrightnessEnabled(bool state) {
    core::CFPreferencesSetAppValue(kAutoBrightnessKey, core::PlistValue(state), kBackboardDomain);
    core::CFPreferencesAppSynchronize(kBackboardDomain);
    if (services::GSSendAppPreferencesChanged)
        services::GSSendAppPreferencesChanged(kBackboardDomain, kAutoBrightnessKey);
}

bool SpecialTasksHelper::isAutoBrightnessEnabled() {
    core::CFPreferencesAppSynchronize(kBackboardDomain);
    return core::CFPreferencesGetAppBooleanValue(kAutoBrightnessKey, kBackboardDomain, nullptr);
}

void SpecialTasksHelper::setCustomVolume(double percent) {
    rt::Ref<rt::Object> controller = rt::send<rt::Ref<rt::Object>>(
        rt::lookUpClass("SBMediaController"), rt::sel("sharedInstance"));
    rt::send<void>(controller, rt::sel("setSuppressHUD:"), true);
    rt::send<void>(controller, rt::sel("setVolume:"), static_cast<float>(percent / 100.0));
    core::after(kSuppressedVolumeOverlaySeconds, core::Queue::Main, [controller] {
        runGuarded([&] { rt::send<void>(controller, rt::sel("setSuppressHUD:"), false); });
    });
}

}  // namespace morvane
