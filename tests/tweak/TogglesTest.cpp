#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "core/preferences/AppPreferences.h"
#include "device/Phone.h"
#include "support/TweakWorld.h"
#include "tweak/controls/FlipswitchHelper.h"
#include "tweak/controls/SpecialTasksHelper.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/controls/ToggleOperations.h"

using namespace morvane;
using device::Switch;
using device::SwitchState;

namespace {

// The helpers over the home-screen host's classes, without the library started.
class TogglesTest : public tweak_testing::TweakTest {
  protected:
    static device::DeviceConfiguration with(Switch which, SwitchState state) {
        device::DeviceConfiguration configuration;
        configuration.setInitialState(which, state);
        return configuration;
    }
    static device::DeviceConfiguration without(std::initializer_list<const char*> classNames) {
        device::DeviceConfiguration configuration;
        for (const char* name : classNames) configuration.leftOutClasses.insert(name);
        return configuration;
    }
};

}  // namespace

TEST(ToggleCatalogue, ListsTheTwelveTogglesInOrderWithBluetoothThroughTheNativeHelper) {
    const auto& toggles = ToggleCatalogue::toggles();
    EXPECT_EQ(toggles.front().name, "orientationLock");
    EXPECT_EQ(toggles.back().name, "vpn");
    EXPECT_EQ(ToggleCatalogue::find("dnd")->switchIdentifier, "do-not-disturb");
    EXPECT_EQ(ToggleCatalogue::find("bluetooth")->setEnabled,
              &SpecialTasksHelper::setBluetoothEnabled);
    EXPECT_EQ(ToggleCatalogue::find("vpn")->recordProperty, "vpnBeforeOpening");
    EXPECT_EQ(ToggleCatalogue::find("unknown"), nullptr);
}

TEST(FlipswitchHelper, FullIdentifiersAddOnlyThePrefix) {
    EXPECT_EQ(FlipswitchHelper::getFullIdentifierForIdentifier("low-power"),
              "com.a3tweaks.switch.low-power");
}

TEST_F(TogglesTest, ThePanelReadsIndeterminateAsOnAndSetsWhateverTheState) {
    bootHost(with(Switch::NightShift, SwitchState::Indeterminate));
    EXPECT_TRUE(FlipswitchHelper::isNightShiftEnabled());
    EXPECT_FALSE(FlipswitchHelper::isVPNEnabled());
    FlipswitchHelper::setVPNEnabled(false);
    EXPECT_EQ(countCalls("FSSwitchPanel setState:forSwitchIdentifier: 0 com.a3tweaks.switch.vpn"),
              1);
    EXPECT_EQ(phone().sets().of(Switch::Vpn), 1);
}

TEST_F(TogglesTest, WithoutAPanelSwitchesReadOffAndSetsDoNothing) {
    bootHost(without({"FSSwitchPanel"}));
    ASSERT_TRUE(phone().isOn(Switch::Wifi));
    EXPECT_FALSE(FlipswitchHelper::isWifiEnabled());
    FlipswitchHelper::setWifiEnabled(false);
    EXPECT_TRUE(phone().isOn(Switch::Wifi));
    EXPECT_TRUE(phone().timeline().empty());
}

TEST_F(TogglesTest, ApplyTogglesSetsOnlyTheEntriesInCatalogueOrder) {
    bootHost(with(Switch::Bluetooth, SwitchState::Off));
    ToggleOperations::applyToggles({{"bluetooth", 1}, {"wifi", 0}});
    const device::Timeline changes = phone().timeline();
    ASSERT_EQ(changes.size(), 2u) << changes.format();
    EXPECT_EQ(changes.entries()[0].text, "wifi on → off (switch panel)");
    EXPECT_EQ(changes.entries()[1].text, "bluetooth off → on (Bluetooth manager)");
    EXPECT_EQ(countCalls("FSSwitchPanel setState:"), 1);
    EXPECT_EQ(countCalls("BluetoothManager setEnabled: 1"), 1);

    const std::size_t mark = callMark();
    ToggleOperations::applyToggles({});
    EXPECT_EQ(countCalls("", mark), 0);
    EXPECT_EQ(phone().timeline().size(), 2u);
}

TEST_F(TogglesTest, AnyValueButZeroCountsAsOnAndOddEntriesAreSkipped) {
    bootHost(with(Switch::Location, SwitchState::Off));
    ToggleOperations::applyToggles(
        {{"vpn", 2}, {"location", -1}, {"wifi", "off"}, {"unknownToggle", 0}});
    EXPECT_TRUE(phone().isOn(Switch::Vpn));
    EXPECT_TRUE(phone().isOn(Switch::Location));
    EXPECT_TRUE(phone().isOn(Switch::Wifi));
    EXPECT_EQ(phone().sets().of(Switch::Wifi), 0);
    EXPECT_EQ(countCalls("FSSwitchPanel setState:"), 2);
}

TEST_F(TogglesTest, EntriesAreReadAsThirtyTwoBitIntegersWhenApplied) {
    bootHost();
    ASSERT_TRUE(phone().isOn(Switch::Wifi));
    ASSERT_TRUE(phone().isOn(Switch::Location));
    ToggleOperations::applyToggles(
        {{"wifi", 0.5}, {"vpn", 1.5}, {"location", std::int64_t{1} << 32}, {"nightShift", true}});
    EXPECT_FALSE(phone().isOn(Switch::Wifi)) << "0.5 reads as 0";
    EXPECT_TRUE(phone().isOn(Switch::Vpn));
    EXPECT_FALSE(phone().isOn(Switch::Location)) << "its low 32 bits are 0";
    EXPECT_TRUE(phone().isOn(Switch::NightShift));
}

TEST_F(TogglesTest, ShouldRestoreToggleNeedsARecordedStateAndAnEntry) {
    const core::PlistDictionary toggles{{"wifi", 1}};
    EXPECT_FALSE(ToggleOperations::shouldRestoreToggle("wifi", -1, toggles));
    EXPECT_FALSE(ToggleOperations::shouldRestoreToggle("bluetooth", 1, toggles));
    EXPECT_TRUE(ToggleOperations::shouldRestoreToggle("wifi", 0, toggles));
    EXPECT_TRUE(ToggleOperations::shouldRestoreToggle("wifi", 1, toggles));
}

TEST_F(TogglesTest, GuardedNativeSettersActOnlyWhenTheStateDiffers) {
    device::DeviceConfiguration configuration;
    configuration.setInitialState(Switch::OrientationLock, SwitchState::On);
    configuration.setInitialState(Switch::Wifi, SwitchState::Off);
    configuration.setInitialState(Switch::Cellular, SwitchState::Off);
    bootHost(configuration);
    ASSERT_TRUE(phone().isOn(Switch::Bluetooth));
    SpecialTasksHelper::setBluetoothEnabled(true);
    EXPECT_EQ(countCalls("BluetoothManager setEnabled:"), 0);
    SpecialTasksHelper::setBluetoothEnabled(false);
    EXPECT_EQ(countCalls("BluetoothManager setEnabled: 0"), 1);
    EXPECT_FALSE(phone().isOn(Switch::Bluetooth));

    SpecialTasksHelper::setOrientationLockEnabled(false);
    SpecialTasksHelper::setOrientationLockEnabled(true);
    EXPECT_EQ(countCalls("SBOrientationLockManager unlock"), 1);
    EXPECT_EQ(countCalls("SBOrientationLockManager lock"), 1);
    EXPECT_TRUE(phone().isOn(Switch::OrientationLock));

    SpecialTasksHelper::setAirplaneEnabled(true);
    EXPECT_EQ(countCalls("RadiosPreferences setAirplaneMode: 1"), 1);
    EXPECT_EQ(countCalls("RadiosPreferences synchronize"), 1);
    EXPECT_TRUE(phone().isOn(Switch::Airplane));
    SpecialTasksHelper::setWifiEnabled(false);
    EXPECT_EQ(countCalls("SBWiFiManager setWiFiEnabled:"), 0);
    SpecialTasksHelper::setCellularEnabled(true);
    SpecialTasksHelper::setCellularEnabled(true);
    EXPECT_EQ(countCalls("CoreTelephony CTCellularDataPlanSetIsEnabled 1"), 1);
    EXPECT_TRUE(phone().isOn(Switch::Cellular));
}

TEST_F(TogglesTest, LocationAndAutoBrightnessActEvenInTheAskedState) {
    bootHost(with(Switch::Location, SwitchState::Off));
    SpecialTasksHelper::setLocationEnabled(false);
    EXPECT_EQ(countCalls("CLLocationManager setLocationServicesEnabled: 0"), 1);
    EXPECT_FALSE(SpecialTasksHelper::isAutoBrightnessEnabled()) << "nothing stored reads as off";
    SpecialTasksHelper::setAutoBrightnessEnabled(false);
    SpecialTasksHelper::setAutoBrightnessEnabled(true);
    EXPECT_EQ(
        countCalls("GraphicsServices GSSendAppPreferencesChanged com.apple.backboardd BKEnableALS"),
        2);
    EXPECT_TRUE(SpecialTasksHelper::isAutoBrightnessEnabled());
    EXPECT_TRUE(core::CFPreferencesCopyAppValue("BKEnableALS", "com.apple.backboardd")
                    ->asBool()
                    .value_or(false));
    EXPECT_TRUE(phone().isOn(Switch::AutoBrightness));
}

TEST_F(TogglesTest, DoNotDisturbUsesTheAssertionServiceWhenThereIsOne) {
    bootHost();
    SpecialTasksHelper::setDNDEnabled(true);
    EXPECT_EQ(
        countCalls("DNDModeAssertionDetails "
                   "userRequestedAssertionDetailsWithIdentifier:modeIdentifier:lifetime: "
                   "com.apple.control-center.manual-toggle com.apple.donotdisturb.mode.default"),
        1);
    EXPECT_EQ(countCalls("DNDModeAssertionService takeModeAssertionWithDetails:error: "
                         "com.apple.donotdisturb.mode.default"),
              1);
    EXPECT_TRUE(phone().isOn(Switch::Dnd));
    SpecialTasksHelper::setDNDEnabled(false);
    EXPECT_EQ(countCalls("DNDModeAssertionService invalidateAllActiveModeAssertionsWithError:"), 1);
    EXPECT_EQ(countCalls("BBSettingsGateway"), 0);
    EXPECT_FALSE(SpecialTasksHelper::isDNDEnabled());
    EXPECT_FALSE(phone().isOn(Switch::Dnd));
}

TEST_F(TogglesTest, DoNotDisturbFallsBackToTheGatewayWithoutTheService) {
    device::DeviceConfiguration configuration = without({"DNDModeAssertionService"});
    configuration.setInitialState(Switch::Dnd, SwitchState::On);
    bootHost(configuration);
    SpecialTasksHelper::setDNDEnabled(false);
    EXPECT_EQ(countCalls("BBSettingsGateway setBehaviorOverrideStatus: 0"), 1);
    EXPECT_FALSE(phone().isOn(Switch::Dnd));
}

TEST_F(TogglesTest, DisconnectingBluetoothDevicesByName) {
    device::DeviceConfiguration configuration;
    configuration.bluetoothDevices = {"Car", "Headphones", "Watch"};
    bootHost(configuration);
    SpecialTasksHelper::disconnectBluetoothDevice("Nothing");
    EXPECT_EQ(countCalls("BluetoothManager disconnect"), 0);
    SpecialTasksHelper::disconnectBluetoothDevice("Car");
    EXPECT_EQ(countCalls("BluetoothManager disconnectDevicePhysicalLink: Car"), 1);
    EXPECT_EQ(countCalls("BluetoothManager disconnect"), 1);
    EXPECT_EQ(phone().connectedBluetoothDevices(),
              (std::vector<std::string>{"Headphones", "Watch"}));
    SpecialTasksHelper::disconnectBluetoothDevice(std::nullopt);  // every device connected now
    EXPECT_EQ(countCalls("BluetoothManager disconnect"), 3);
    EXPECT_TRUE(phone().connectedBluetoothDevices().empty());
}

TEST_F(TogglesTest, MissingNativeServicesReadOffAndDoNothing) {
    bootHost(
        without({"BluetoothManager", "RadiosPreferences", "SBWiFiManager", "CLLocationManager"}));
    EXPECT_FALSE(SpecialTasksHelper::isBluetoothEnabled());
    SpecialTasksHelper::setBluetoothEnabled(true);
    SpecialTasksHelper::setAirplaneEnabled(true);
    SpecialTasksHelper::setLocationEnabled(true);
    EXPECT_FALSE(SpecialTasksHelper::isWifiEnabled());
    EXPECT_EQ(phone().calls().size(), 0u) << phone().calls().format();
    EXPECT_TRUE(phone().timeline().empty()) << phone().timeline().format();
}
