#include "support/FakeHost.h"

#include <cstdio>
#include <vector>

#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/Runtime.h"

// The services' free functions, as the telephony and graphics services frameworks give them.
namespace services {
bool CTCellularDataPlanGetIsEnabled();
void CTCellularDataPlanSetIsEnabled(bool enabled);
void GSSendAppPreferencesChanged(const std::string& applicationId, const std::string& key);
}  // namespace services

namespace tweak_testing {

namespace {

FakePhone* currentPhone = nullptr;

FakePhone& phone() { return *currentPhone; }

using rt::Object;
using rt::Ref;
using rt::Selector;

struct ApplicationInfo : Object {
    static constexpr const char* kClassName = "SBApplicationInfo";
    std::string _bundleIdentifier;
};

struct Application : Object {
    static constexpr const char* kClassName = "SBApplication";
    std::string _bundleIdentifier;
    long long _taskState = -1;
    long long _visibility = -1;
};

struct ProcessState : Object {
    static constexpr const char* kClassName = "FBProcessState";
    long long _taskState = 0;
    long long _visibility = 0;
};

struct Process : Object {
    static constexpr const char* kClassName = "FBProcess";
    std::string _bundleIdentifier;
};

struct BluetoothDevice : Object {
    static constexpr const char* kClassName = "BluetoothDevice";
    std::string _name;
};

std::string formatLevel(double level) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", level);
    return text;
}

// A class of a stand-in without fields, whose instances are plain objects.
rt::Class* registerPlainClass(const char* name) {
    if (phone().missingClasses.count(name)) return nullptr;
    return rt::Runtime::registerClass(name, rt::lookUpClass("NSObject"),
                                      [](rt::Class* cls) { return rt::ObjectFactory::construct<Object>(cls); });
}

// One shared instance per class and world.
Ref<Object> sharedOf(Object* cls) {
    static std::vector<std::pair<Object*, Ref<Object>>> instances;
    for (auto& [owner, instance] : instances) {
        if (owner == cls) return instance;
    }
    Ref<Object> made = rt::makeOfClass(static_cast<rt::Class*>(cls));
    instances.emplace_back(cls, made);
    return made;
}

Ref<Object> sharedInstance(Object* cls, Selector) { return sharedOf(cls); }

// SBApplication and its state objects.
Ref<Object> initWithApplicationInfo(Object* self, Selector, Object* info) {
    static_cast<Application*>(self)->_bundleIdentifier = static_cast<ApplicationInfo*>(info)->_bundleIdentifier;
    return Ref<Object>(self);
}
void noteProcessDidChangeToState(Object* self, Selector, Object*, Object* state) {
    auto* app = static_cast<Application*>(self);
    if (auto* processState = dynamic_cast<ProcessState*>(state)) {
        app->_taskState = processState->_taskState;
        app->_visibility = processState->_visibility;
    }
    phone().log("SBApplication _noteProcess " + app->_bundleIdentifier);
}
std::string applicationBundleIdentifier(Object* self, Selector) {
    return static_cast<Application*>(self)->_bundleIdentifier;
}
std::string infoBundleIdentifier(Object* self, Selector) {
    return static_cast<ApplicationInfo*>(self)->_bundleIdentifier;
}
long long taskState(Object* self, Selector) { return static_cast<ProcessState*>(self)->_taskState; }
long long visibility(Object* self, Selector) { return static_cast<ProcessState*>(self)->_visibility; }

// Media and brightness.
float mediaVolume(Object*, Selector) { return phone().volume; }
void setMediaVolume(Object*, Selector, float level) {
    phone().volume = level;
    if (!phone().suppressHUD) ++phone().volumeHUDs;
    phone().log("SBMediaController setVolume: " + formatLevel(level));
}
void setSuppressHUD(Object*, Selector, bool suppress) {
    phone().suppressHUD = suppress;
    phone().log(std::string("SBMediaController setSuppressHUD: ") + (suppress ? "1" : "0"));
}
void setBrightnessLevel(Object*, Selector, float level, bool showHUD) {
    if (!phone().ignoresBrightnessSets) phone().brightness = static_cast<double>(level);
    if (showHUD) ++phone().brightnessHUDs;
    phone().log("SBBrightnessController _setBrightnessLevel: " + formatLevel(level) + (showHUD ? " hud" : ""));
}
double screenBrightness(Object*, Selector) { return phone().brightness; }
double settingsBrightness(Object*, Selector) { return phone().brightness; }
Ref<Object> mainScreen(Object* cls, Selector) { return sharedOf(cls); }

// Switch panel.
long long stateForSwitchIdentifier(Object*, Selector, const std::string& fullIdentifier) {
    const std::string prefix = "com.a3tweaks.switch.";
    if (fullIdentifier.rfind(prefix, 0) != 0) return 0;
    return phone().switchState(fullIdentifier.substr(prefix.size()));
}
void setStateForSwitchIdentifier(Object*, Selector, long long state, const std::string& fullIdentifier) {
    phone().log("FSSwitchPanel setState: " + std::to_string(state) + " " + fullIdentifier);
    const std::string prefix = "com.a3tweaks.switch.";
    if (fullIdentifier.rfind(prefix, 0) != 0) return;
    phone().switches[fullIdentifier.substr(prefix.size())] = state;
}

// Native services.
bool wiFiEnabled(Object*, Selector) { return phone().switchState("wifi") != 0; }
void setWiFiEnabled(Object*, Selector, bool on) {
    phone().log(std::string("SBWiFiManager setWiFiEnabled: ") + (on ? "1" : "0"));
    phone().switches["wifi"] = on;
}
bool isUserLocked(Object*, Selector) { return phone().switchState("rotation-lock") != 0; }
void lockOrientation(Object*, Selector) {
    phone().log("SBOrientationLockManager lock");
    phone().switches["rotation-lock"] = 1;
}
void unlockOrientation(Object*, Selector) {
    phone().log("SBOrientationLockManager unlock");
    phone().switches["rotation-lock"] = 0;
}
bool airplaneMode(Object*, Selector) { return phone().switchState("airplane-mode") != 0; }
void setAirplaneMode(Object*, Selector, bool on) {
    phone().log(std::string("RadiosPreferences setAirplaneMode: ") + (on ? "1" : "0"));
    phone().switches["airplane-mode"] = on;
}
void synchronizeRadios(Object*, Selector) { phone().log("RadiosPreferences synchronize"); }
bool bluetoothEnabled(Object*, Selector) { return phone().switchState("bluetooth") != 0; }
void setBluetoothEnabled(Object*, Selector, bool on) {
    phone().log(std::string("BluetoothManager setEnabled: ") + (on ? "1" : "0"));
    phone().switches["bluetooth"] = on;
}
std::vector<Ref<Object>> connectedDevices(Object*, Selector) {
    std::vector<Ref<Object>> devices;
    for (const std::string& name : phone().connectedBluetoothDevices) {
        auto device = rt::make<BluetoothDevice>();
        device->_name = name;
        devices.emplace_back(device);
    }
    return devices;
}
std::string deviceName(Object* self, Selector) { return static_cast<BluetoothDevice*>(self)->_name; }
void disconnectDevicePhysicalLink(Object*, Selector, Object* device) {
    phone().log("BluetoothManager disconnectDevicePhysicalLink: " + static_cast<BluetoothDevice*>(device)->_name);
}
Ref<Object> serviceForClientIdentifier(Object* cls, Selector, const std::string& client) {
    phone().log("DNDModeAssertionService serviceForClientIdentifier: " + client);
    return sharedOf(cls);
}
Ref<Object> takeModeAssertion(Object*, Selector, Object* details, Object* errorOut) {
    phone().log(std::string("DNDModeAssertionService takeModeAssertionWithDetails:") + (details ? " details" : "") +
                (errorOut ? " error" : ""));
    phone().switches["do-not-disturb"] = 1;
    return nullptr;
}
bool invalidateAssertions(Object*, Selector, Object*) {
    phone().log("DNDModeAssertionService invalidateAllActiveModeAssertionsWithError:");
    phone().switches["do-not-disturb"] = 0;
    return true;
}
Ref<Object> assertionDetails(Object* cls, Selector, const std::string& identifier, const std::string& mode,
                             Object* lifetime) {
    phone().log("DNDModeAssertionDetails " + identifier + " " + mode + (lifetime ? " lifetime" : ""));
    return rt::makeOfClass(static_cast<rt::Class*>(cls));
}
void setBehaviorOverrideStatus(Object*, Selector, long long status) {
    phone().log("BBSettingsGateway setBehaviorOverrideStatus: " + std::to_string(status));
    phone().switches["do-not-disturb"] = status;
}
bool locationServicesEnabled(Object*, Selector) { return phone().switchState("location") != 0; }
void setLocationServicesEnabled(Object*, Selector, bool on) {
    phone().log(std::string("CLLocationManager setLocationServicesEnabled: ") + (on ? "1" : "0"));
    phone().switches["location"] = on;
}

template <class T>
rt::Class* registerDataClass() {
    if (phone().missingClasses.count(T::kClassName)) return nullptr;
    return rt::registerClass<T>();
}

void registerApplicationClasses() {
    rt::Class* info = registerDataClass<ApplicationInfo>();
    rt::addMethod(info, rt::sel("bundleIdentifier"), &infoBundleIdentifier);
    rt::Class* application = registerDataClass<Application>();
    rt::addMethod(application, rt::sel("initWithApplicationInfo:"), &initWithApplicationInfo);
    rt::addMethod(application, rt::sel("_noteProcess:didChangeToState:"), &noteProcessDidChangeToState);
    rt::addMethod(application, rt::sel("bundleIdentifier"), &applicationBundleIdentifier);
    rt::Class* state = registerDataClass<ProcessState>();
    rt::addMethod(state, rt::sel("taskState"), &taskState);
    rt::addMethod(state, rt::sel("visibility"), &visibility);
    registerDataClass<Process>();
}

void registerControllerClasses() {
    if (rt::Class* media = registerPlainClass("SBMediaController")) {
        rt::addClassMethod(media, rt::sel("sharedInstance"), &sharedInstance);
        rt::addMethod(media, rt::sel("volume"), &mediaVolume);
        rt::addMethod(media, rt::sel("setVolume:"), &setMediaVolume);
        rt::addMethod(media, rt::sel("setSuppressHUD:"), &setSuppressHUD);
    }
    if (rt::Class* brightness = registerPlainClass("SBBrightnessController")) {
        rt::addClassMethod(brightness, rt::sel("sharedBrightnessController"), &sharedInstance);
        rt::addMethod(brightness, rt::sel("_setBrightnessLevel:showHUD:"), &setBrightnessLevel);
    }
    if (rt::Class* screen = registerPlainClass("UIScreen")) {
        rt::addClassMethod(screen, rt::sel("mainScreen"), &mainScreen);
        rt::addMethod(screen, rt::sel("brightness"), &screenBrightness);
    }
    if (rt::Class* detail = registerPlainClass("PSBrightnessSettingsDetail")) {
        rt::addClassMethod(detail, rt::sel("currentValue"), &settingsBrightness);
    }
}

void registerServiceClasses() {
    if (rt::Class* panel = registerPlainClass("FSSwitchPanel")) {
        rt::addClassMethod(panel, rt::sel("sharedPanel"), &sharedInstance);
        rt::addMethod(panel, rt::sel("stateForSwitchIdentifier:"), &stateForSwitchIdentifier);
        rt::addMethod(panel, rt::sel("setState:forSwitchIdentifier:"), &setStateForSwitchIdentifier);
    }
    if (rt::Class* wifi = registerPlainClass("SBWiFiManager")) {
        rt::addClassMethod(wifi, rt::sel("sharedInstance"), &sharedInstance);
        rt::addMethod(wifi, rt::sel("wiFiEnabled"), &wiFiEnabled);
        rt::addMethod(wifi, rt::sel("setWiFiEnabled:"), &setWiFiEnabled);
    }
    if (rt::Class* orientation = registerPlainClass("SBOrientationLockManager")) {
        rt::addClassMethod(orientation, rt::sel("sharedInstance"), &sharedInstance);
        rt::addMethod(orientation, rt::sel("isUserLocked"), &isUserLocked);
        rt::addMethod(orientation, rt::sel("lock"), &lockOrientation);
        rt::addMethod(orientation, rt::sel("unlock"), &unlockOrientation);
    }
    if (rt::Class* radios = registerPlainClass("RadiosPreferences")) {
        rt::addMethod(radios, rt::sel("airplaneMode"), &airplaneMode);
        rt::addMethod(radios, rt::sel("setAirplaneMode:"), &setAirplaneMode);
        rt::addMethod(radios, rt::sel("synchronize"), &synchronizeRadios);
    }
    if (rt::Class* bluetooth = registerPlainClass("BluetoothManager")) {
        rt::addClassMethod(bluetooth, rt::sel("sharedInstance"), &sharedInstance);
        rt::addMethod(bluetooth, rt::sel("enabled"), &bluetoothEnabled);
        rt::addMethod(bluetooth, rt::sel("setEnabled:"), &setBluetoothEnabled);
        rt::addMethod(bluetooth, rt::sel("connectedDevices"), &connectedDevices);
        rt::addMethod(bluetooth, rt::sel("disconnectDevicePhysicalLink:"), &disconnectDevicePhysicalLink);
    }
    if (rt::Class* device = registerDataClass<BluetoothDevice>()) rt::addMethod(device, rt::sel("name"), &deviceName);
    if (rt::Class* service = registerPlainClass("DNDModeAssertionService")) {
        rt::addClassMethod(service, rt::sel("serviceForClientIdentifier:"), &serviceForClientIdentifier);
        rt::addMethod(service, rt::sel("takeModeAssertionWithDetails:error:"), &takeModeAssertion);
        rt::addMethod(service, rt::sel("invalidateAllActiveModeAssertionsWithError:"), &invalidateAssertions);
    }
    if (rt::Class* details = registerPlainClass("DNDModeAssertionDetails")) {
        rt::addClassMethod(details, rt::sel("userRequestedAssertionDetailsWithIdentifier:modeIdentifier:lifetime:"),
                           &assertionDetails);
    }
    if (rt::Class* gateway = registerPlainClass("BBSettingsGateway")) {
        rt::addMethod(gateway, rt::sel("setBehaviorOverrideStatus:"), &setBehaviorOverrideStatus);
    }
    if (rt::Class* location = registerPlainClass("CLLocationManager")) {
        rt::addClassMethod(location, rt::sel("locationServicesEnabled"), &locationServicesEnabled);
        rt::addClassMethod(location, rt::sel("setLocationServicesEnabled:"), &setLocationServicesEnabled);
    }
}

}  // namespace

void FakeHost::registerClasses(FakePhone& fakePhone) {
    currentPhone = &fakePhone;
    registerApplicationClasses();
    registerControllerClasses();
    registerServiceClasses();
}

Ref<Object> FakeHost::makeApplication(const std::string& bundleId) {
    auto info = rt::make<ApplicationInfo>();
    info->_bundleIdentifier = bundleId;
    Ref<Object> allocated = rt::makeOfClass(rt::lookUpClass("SBApplication"));
    return rt::send<Ref<Object>>(allocated, rt::sel("initWithApplicationInfo:"), info);
}

void FakeHost::reportState(const Ref<Object>& app, long long task, long long visible) {
    auto state = rt::make<ProcessState>();
    state->_taskState = task;
    state->_visibility = visible;
    auto process = rt::make<Process>();
    process->_bundleIdentifier = rt::send<std::string>(app, rt::sel("bundleIdentifier"));
    rt::send<void>(app, rt::sel("_noteProcess:didChangeToState:"), process, state);
}

long long FakeHost::lastTaskState(const Ref<Object>& app) { return static_cast<Application*>(app.get())->_taskState; }

}  // namespace tweak_testing

// The stand-in of the telephony framework's cellular data plan and the graphics services'
// preference notice, over the same phone.
namespace services {

bool CTCellularDataPlanGetIsEnabled() { return tweak_testing::phone().switchState("cellular-data") != 0; }

void CTCellularDataPlanSetIsEnabled(bool enabled) {
    tweak_testing::phone().log(std::string("CTCellularDataPlanSetIsEnabled ") + (enabled ? "1" : "0"));
    tweak_testing::phone().switches["cellular-data"] = enabled;
}

void GSSendAppPreferencesChanged(const std::string& applicationId, const std::string& key) {
    tweak_testing::phone().log("GSSendAppPreferencesChanged " + applicationId + " " + key);
}

}  // namespace services
