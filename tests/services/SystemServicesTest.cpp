#include <string>
#include <vector>

#include "ServicesFixture.h"
#include "core/preferences/AppPreferences.h"
#include "services/GraphicsServices.h"
#include "services/Telephony.h"

using device::Switch;

namespace {

rt::Ref<rt::Object> shared(const char* className, const char* selector = "sharedInstance") {
    return rt::send<rt::Ref<rt::Object>>(rt::lookUpClass(className), rt::sel(selector));
}

std::vector<std::string> deviceNames(const std::vector<rt::Ref<rt::Object>>& devices) {
    std::vector<std::string> names;
    for (const auto& device : devices)
        names.push_back(rt::send<std::string>(device, rt::sel("name")));
    return names;
}

TEST_F(ServicesTest, LeftOutClassesAreAbsentAndTheirMessagesDoNothing) {
    device::DeviceConfiguration configuration;
    configuration.leftOutClasses = {"DNDModeAssertionService", "BluetoothManager"};
    bootSystem(configuration);

    EXPECT_EQ(rt::lookUpClass("DNDModeAssertionService"), nullptr);
    EXPECT_EQ(rt::lookUpClass("BluetoothManager"), nullptr);
    EXPECT_NE(rt::lookUpClass("BBSettingsGateway"), nullptr);
    EXPECT_NE(rt::lookUpClass("FSSwitchPanel"), nullptr);

    const rt::Ref<rt::Object> manager = shared("BluetoothManager");
    EXPECT_EQ(manager, nullptr);
    rt::send<void>(manager, rt::sel("setEnabled:"), false);
    EXPECT_FALSE(rt::send<bool>(manager, rt::sel("enabled")));
    EXPECT_TRUE(phone().isOn(Switch::Bluetooth));
    EXPECT_EQ(phone().calls().countFor("BluetoothManager"), 0u);
}

TEST_F(ServicesTest, BluetoothManagerSetsTheSwitchAndRecordsEveryCall) {
    const rt::Ref<rt::Object> manager = shared("BluetoothManager");
    EXPECT_EQ(shared("BluetoothManager"), manager);
    EXPECT_TRUE(rt::send<bool>(manager, rt::sel("enabled")));
    rt::send<void>(manager, rt::sel("setEnabled:"), false);
    EXPECT_FALSE(phone().isOn(Switch::Bluetooth));
    EXPECT_FALSE(rt::send<bool>(manager, rt::sel("enabled")));

    const device::CallLog calls = phone().calls();
    EXPECT_TRUE(calls.contains("BluetoothManager setEnabled: 0"));
    EXPECT_EQ(calls.countFor("BluetoothManager", "enabled"), 2u);
    EXPECT_EQ(phone().timeline().entries().back().text, "bluetooth on → off (Bluetooth manager)");
}

TEST_F(ServicesTest, BluetoothManagerDisconnectsTheDeviceItIsGiven) {
    device::DeviceConfiguration configuration;
    configuration.bluetoothDevices = {"AirPods", "Car"};
    bootSystem(configuration);
    const rt::Ref<rt::Object> manager = shared("BluetoothManager");

    const auto devices =
        rt::send<std::vector<rt::Ref<rt::Object>>>(manager, rt::sel("connectedDevices"));
    ASSERT_EQ(deviceNames(devices), (std::vector<std::string>{"AirPods", "Car"}));
    rt::send<void>(manager, rt::sel("disconnectDevicePhysicalLink:"), devices[1]);
    rt::send<void>(manager, rt::sel("disconnectDevicePhysicalLink:"), nullptr);
    rt::send<void>(manager, rt::sel("disconnectDevicePhysicalLink:"), manager);  // not a device
    EXPECT_EQ(phone().connectedBluetoothDevices(), (std::vector<std::string>{"AirPods"}));

    rt::send<void>(manager, rt::sel("setEnabled:"), false);
    EXPECT_TRUE(
        rt::send<std::vector<rt::Ref<rt::Object>>>(manager, rt::sel("connectedDevices")).empty());
}

TEST_F(ServicesTest, ModeAssertionsTurnDoNotDisturbOnAndInvalidatingTurnsItOff) {
    const auto service = rt::send<rt::Ref<rt::Object>>(
        rt::lookUpClass("DNDModeAssertionService"), rt::sel("serviceForClientIdentifier:"),
        "com.apple.donotdisturb.control-center.module");
    const auto details = rt::send<rt::Ref<rt::Object>>(
        rt::lookUpClass("DNDModeAssertionDetails"),
        rt::sel("userRequestedAssertionDetailsWithIdentifier:modeIdentifier:lifetime:"),
        "com.apple.control-center.manual-toggle", "com.apple.donotdisturb.mode.default", nullptr);
    ASSERT_TRUE(service);
    ASSERT_TRUE(details);
    EXPECT_EQ(rt::send<std::string>(details, rt::sel("modeIdentifier")),
              "com.apple.donotdisturb.mode.default");

    const auto assertion = rt::send<rt::Ref<rt::Object>>(
        service, rt::sel("takeModeAssertionWithDetails:error:"), details, nullptr);
    EXPECT_TRUE(assertion);
    EXPECT_EQ(rt::send<rt::Ref<rt::Object>>(assertion, rt::sel("details")), details);
    EXPECT_TRUE(phone().isOn(Switch::Dnd));

    EXPECT_TRUE(
        rt::send<bool>(service, rt::sel("invalidateAllActiveModeAssertionsWithError:"), nullptr));
    EXPECT_FALSE(phone().isOn(Switch::Dnd));
    EXPECT_EQ(phone().calls().countFor("DNDModeAssertionService"), 3u);
}

TEST_F(ServicesTest, AnAssertionWithoutDetailsIsRefused) {
    const auto service =
        rt::send<rt::Ref<rt::Object>>(rt::lookUpClass("DNDModeAssertionService"),
                                      rt::sel("serviceForClientIdentifier:"), "client");
    EXPECT_FALSE(rt::send<rt::Ref<rt::Object>>(
        service, rt::sel("takeModeAssertionWithDetails:error:"), nullptr, nullptr));
    EXPECT_FALSE(phone().isOn(Switch::Dnd));
    EXPECT_EQ(phone().sets().of(Switch::Dnd), 0);
}

TEST_F(ServicesTest, SettingsGatewayOverrideStatusDrivesDoNotDisturb) {
    const rt::Ref<rt::Object> gateway = rt::makeOfClass(rt::lookUpClass("BBSettingsGateway"));
    rt::send<void>(gateway, rt::sel("setBehaviorOverrideStatus:"), 1LL);
    EXPECT_TRUE(phone().isOn(Switch::Dnd));
    rt::send<void>(gateway, rt::sel("setBehaviorOverrideStatus:"), 7LL);
    EXPECT_TRUE(phone().isOn(Switch::Dnd));
    rt::send<void>(gateway, rt::sel("setBehaviorOverrideStatus:"), 0LL);
    EXPECT_FALSE(phone().isOn(Switch::Dnd));
    EXPECT_EQ(phone().sets().of(Switch::Dnd), 2);
    EXPECT_TRUE(phone().calls().contains("BBSettingsGateway setBehaviorOverrideStatus: 7"));
}

TEST_F(ServicesTest, RadiosPreferencesSetAirplaneMode) {
    const rt::Ref<rt::Object> radios = rt::makeOfClass(rt::lookUpClass("RadiosPreferences"));
    EXPECT_FALSE(rt::send<bool>(radios, rt::sel("airplaneMode")));
    rt::send<void>(radios, rt::sel("setAirplaneMode:"), true);
    rt::send<void>(radios, rt::sel("synchronize"));
    EXPECT_TRUE(phone().isOn(Switch::Airplane));
    EXPECT_TRUE(rt::send<bool>(rt::makeOfClass(rt::lookUpClass("RadiosPreferences")),
                               rt::sel("airplaneMode")));
    EXPECT_EQ(phone().calls().countFor("RadiosPreferences", "synchronize"), 1u);
}

TEST_F(ServicesTest, LocationServicesAreClassMethods) {
    rt::Class* manager = rt::lookUpClass("CLLocationManager");
    EXPECT_TRUE(rt::send<bool>(manager, rt::sel("locationServicesEnabled")));
    rt::send<void>(manager, rt::sel("setLocationServicesEnabled:"), false);
    EXPECT_FALSE(phone().isOn(Switch::Location));
    EXPECT_FALSE(rt::send<bool>(manager, rt::sel("locationServicesEnabled")));
}

TEST_F(ServicesTest, CellularDataFunctionsReadAndSetTheSwitch) {
    EXPECT_TRUE(services::CTCellularDataPlanGetIsEnabled());
    services::CTCellularDataPlanSetIsEnabled(false);
    EXPECT_FALSE(phone().isOn(Switch::Cellular));
    EXPECT_FALSE(services::CTCellularDataPlanGetIsEnabled());
    EXPECT_TRUE(phone().calls().contains("CoreTelephony CTCellularDataPlanSetIsEnabled 0"));
}

TEST_F(ServicesTest, AutoBrightnessFollowsTheStoredPreferenceWhenNoticed) {
    core::CFPreferencesSetAppValue("BKEnableALS", core::PlistValue(false), "com.apple.backboardd");
    core::CFPreferencesAppSynchronize("com.apple.backboardd");
    EXPECT_TRUE(phone().isOn(Switch::AutoBrightness));  // nothing happens before the notice

    services::GSSendAppPreferencesChanged("com.apple.backboardd", "BKEnableALS");
    EXPECT_FALSE(phone().isOn(Switch::AutoBrightness));
    EXPECT_EQ(phone().timeline().entries().back().text, "autoBrightness on → off (backboardd)");

    core::CFPreferencesSetAppValue("BKEnableALS", core::PlistValue(true), "com.apple.backboardd");
    services::GSSendAppPreferencesChanged("com.apple.backboardd", "BKEnableALS");
    EXPECT_TRUE(phone().isOn(Switch::AutoBrightness));
}

TEST_F(ServicesTest, NoticesOfOtherKeysOrAMissingValueChangeNothing) {
    services::GSSendAppPreferencesChanged("com.apple.backboardd", "BKEnableALS");  // nothing stored
    core::CFPreferencesSetAppValue("BKEnableALS", core::PlistValue(false), "com.apple.springboard");
    services::GSSendAppPreferencesChanged("com.apple.springboard", "BKEnableALS");
    core::CFPreferencesSetAppValue("BKEnableALS", core::PlistValue("no"), "com.apple.backboardd");
    services::GSSendAppPreferencesChanged("com.apple.backboardd", "SBOtherKey");
    EXPECT_TRUE(phone().isOn(Switch::AutoBrightness));
    EXPECT_EQ(phone().sets().of(Switch::AutoBrightness), 0);
    EXPECT_EQ(phone().calls().countFor("GraphicsServices"), 3u);
}

TEST_F(ServicesTest, BrightnessSettingsDetailSeesThePhonesBrightness) {
    rt::Class* detail = rt::lookUpClass("PSBrightnessSettingsDetail");
    EXPECT_EQ(rt::send<double>(detail, rt::sel("currentValue")), 0.5);
    phone().setBrightness(0.83, device::Actor::user());
    EXPECT_EQ(rt::send<double>(detail, rt::sel("currentValue")), 0.83);
}

}  // namespace
