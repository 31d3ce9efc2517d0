#include <gtest/gtest.h>

#include <string>

#include "core/preferences/AppPreferences.h"
#include "rt/Runtime.h"
#include "support/TweakWorld.h"
#include "tweak/controls/FlipswitchHelper.h"
#include "tweak/controls/SpecialTasksHelper.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/controls/ToggleOperations.h"

using namespace morvane;

namespace {

class TogglesTest : public tweak_testing::TweakTest {
protected:
    void SetUp() override {
        TweakTest::SetUp();
        tweak_testing::FakeHost::registerClasses(_phone);
    }
};

}  // namespace

TEST(ToggleCatalogue, ListsTheTwelveTogglesInOrderWithBluetoothThroughTheNativeHelper) {
    const auto& toggles = ToggleCatalogue::toggles();
    EXPECT_EQ(toggles.front().name, "orientationLock");
    EXPECT_EQ(toggles.back().name, "vpn");
    EXPECT_EQ(ToggleCatalogue::find("dnd")->switchIdentifier, "do-not-disturb");
    EXPECT_EQ(ToggleCatalogue::find("bluetooth")->setEnabled, &SpecialTasksHelper::setBluetoothEnabled);
    EXPECT_EQ(ToggleCatalogue::find("vpn")->recordProperty, "vpnBeforeOpening");
    EXPECT_EQ(ToggleCatalogue::find("unknown"), nullptr);
}

TEST(FlipswitchHelper, FullIdentifiersAddOnlyThePrefix) {
    EXPECT_EQ(FlipswitchHelper::getFullIdentifierForIdentifier("low-power"), "com.a3tweaks.switch.low-power");
}

TEST_F(TogglesTest, ThePanelReadsIndeterminateAsOnAndSetsWhateverTheState) {
    _phone.switches["night-shift"] = -1;
    EXPECT_TRUE(FlipswitchHelper::isNightShiftEnabled());
    EXPECT_FALSE(FlipswitchHelper::isVPNEnabled());
    FlipswitchHelper::setVPNEnabled(false);
    EXPECT_EQ(_phone.countCalls("FSSwitchPanel setState: 0 com.a3tweaks.switch.vpn"), 1);
}

TEST_F(TogglesTest, WithoutAPanelSwitchesReadOffAndSetsDoNothing) {
    rt::resetWorld();
    _phone.missingClasses = {"FSSwitchPanel"};
    tweak_testing::FakeHost::registerClasses(_phone);
    _phone.switches["wifi"] = 1;
    EXPECT_FALSE(FlipswitchHelper::isWifiEnabled());
    FlipswitchHelper::setWifiEnabled(false);
    EXPECT_EQ(_phone.switchState("wifi"), 1);
}

TEST_F(TogglesTest, ApplyTogglesSetsOnlyTheEntriesInCatalogueOrder) {
    _phone.switches["wifi"] = 1;
    ToggleOperations::applyToggles({{"bluetooth", 1}, {"wifi", 0}});
    ASSERT_EQ(_phone.calls.size(), 2u);
    EXPECT_EQ(_phone.calls[0].text, "FSSwitchPanel setState: 0 com.a3tweaks.switch.wifi");
    EXPECT_EQ(_phone.calls[1].text, "BluetoothManager setEnabled: 1");

    _phone.calls.clear();
    ToggleOperations::applyToggles({});
    EXPECT_TRUE(_phone.calls.empty());
}

TEST_F(TogglesTest, AnyValueButZeroCountsAsOnAndOddEntriesAreSkipped) {
    ToggleOperations::applyToggles({{"vpn", 2}, {"location", -1}, {"wifi", "off"}, {"unknownToggle", 0}});
    EXPECT_EQ(_phone.switchState("vpn"), 1);
    EXPECT_EQ(_phone.switchState("location"), 1);
    EXPECT_EQ(_phone.countCalls("FSSwitchPanel setState:"), 2);
}

TEST_F(TogglesTest, ShouldRestoreToggleNeedsARecordedStateAndAnEntry) {
    const core::PlistDictionary toggles{{"wifi", 1}};
    EXPECT_FALSE(ToggleOperations::shouldRestoreToggle("wifi", -1, toggles));
    EXPECT_FALSE(ToggleOperations::shouldRestoreToggle("bluetooth", 1, toggles));
    EXPECT_TRUE(ToggleOperations::shouldRestoreToggle("wifi", 0, toggles));
    EXPECT_TRUE(ToggleOperations::shouldRestoreToggle("wifi", 1, toggles));
}

TEST_F(TogglesTest, GuardedNativeSettersActOnlyWhenTheStateDiffers) {
    _phone.switches["bluetooth"] = 1;
    SpecialTasksHelper::setBluetoothEnabled(true);
    EXPECT_EQ(_phone.countCalls("BluetoothManager"), 0);
    SpecialTasksHelper::setBluetoothEnabled(false);
    EXPECT_EQ(_phone.countCalls("BluetoothManager setEnabled: 0"), 1);

    _phone.switches["rotation-lock"] = 1;
    SpecialTasksHelper::setOrientationLockEnabled(false);
    SpecialTasksHelper::setOrientationLockEnabled(true);
    EXPECT_EQ(_phone.countCalls("SBOrientationLockManager unlock"), 1);
    EXPECT_EQ(_phone.countCalls("SBOrientationLockManager lock"), 1);

    SpecialTasksHelper::setAirplaneEnabled(true);
    EXPECT_EQ(_phone.countCalls("RadiosPreferences setAirplaneMode: 1"), 1);
    EXPECT_EQ(_phone.countCalls("RadiosPreferences synchronize"), 1);
    SpecialTasksHelper::setWifiEnabled(false);
    EXPECT_EQ(_phone.countCalls("SBWiFiManager"), 0);
    SpecialTasksHelper::setCellularEnabled(true);
    SpecialTasksHelper::setCellularEnabled(true);
    EXPECT_EQ(_phone.countCalls("CTCellularDataPlanSetIsEnabled 1"), 1);
}

TEST_F(TogglesTest, LocationAndAutoBrightnessActEvenInTheAskedState) {
    SpecialTasksHelper::setLocationEnabled(false);
    EXPECT_EQ(_phone.countCalls("CLLocationManager setLocationServicesEnabled: 0"), 1);
    EXPECT_FALSE(SpecialTasksHelper::isAutoBrightnessEnabled()) << "nothing stored reads as off";
    SpecialTasksHelper::setAutoBrightnessEnabled(false);
    SpecialTasksHelper::setAutoBrightnessEnabled(true);
    EXPECT_EQ(_phone.countCalls("GSSendAppPreferencesChanged com.apple.backboardd BKEnableALS"), 2);
    EXPECT_TRUE(SpecialTasksHelper::isAutoBrightnessEnabled());
    EXPECT_TRUE(core::CFPreferencesCopyAppValue("BKEnableALS", "com.apple.backboardd")->asBool().value_or(false));
}

TEST_F(TogglesTest, DoNotDisturbUsesTheAssertionServiceWhenThereIsOne) {
    SpecialTasksHelper::setDNDEnabled(true);
    EXPECT_EQ(_phone.countCalls("DNDModeAssertionDetails com.apple.control-center.manual-toggle "
                                "com.apple.donotdisturb.mode.default"),
              1);
    EXPECT_EQ(_phone.countCalls("DNDModeAssertionService takeModeAssertionWithDetails: details"), 1);
    SpecialTasksHelper::setDNDEnabled(false);
    EXPECT_EQ(_phone.countCalls("DNDModeAssertionService invalidateAllActiveModeAssertionsWithError:"), 1);
    EXPECT_EQ(_phone.countCalls("BBSettingsGateway"), 0);
    EXPECT_FALSE(SpecialTasksHelper::isDNDEnabled());
}

TEST_F(TogglesTest, DoNotDisturbFallsBackToTheGatewayWithoutTheService) {
    rt::resetWorld();
    _phone.missingClasses = {"DNDModeAssertionService"};
    tweak_testing::FakeHost::registerClasses(_phone);
    SpecialTasksHelper::setDNDEnabled(false);
    EXPECT_EQ(_phone.countCalls("BBSettingsGateway setBehaviorOverrideStatus: 0"), 1);
}

TEST_F(TogglesTest, DisconnectingBluetoothDevicesByName) {
    _phone.connectedBluetoothDevices = {"Car", "Headphones"};
    SpecialTasksHelper::disconnectBluetoothDevice("Nothing");
    EXPECT_EQ(_phone.countCalls("BluetoothManager disconnect"), 0);
    SpecialTasksHelper::disconnectBluetoothDevice("Car");
    EXPECT_EQ(_phone.countCalls("BluetoothManager disconnectDevicePhysicalLink: Car"), 1);
    SpecialTasksHelper::disconnectBluetoothDevice(std::nullopt);
    EXPECT_EQ(_phone.countCalls("BluetoothManager disconnect"), 3);
}

TEST_F(TogglesTest, MissingNativeServicesReadOffAndDoNothing) {
    rt::resetWorld();
    _phone.missingClasses = {"BluetoothManager", "RadiosPreferences", "SBWiFiManager", "CLLocationManager"};
    tweak_testing::FakeHost::registerClasses(_phone);
    EXPECT_FALSE(SpecialTasksHelper::isBluetoothEnabled());
    SpecialTasksHelper::setBluetoothEnabled(true);
    SpecialTasksHelper::setAirplaneEnabled(true);
    SpecialTasksHelper::setLocationEnabled(true);
    EXPECT_FALSE(SpecialTasksHelper::isWifiEnabled());
    EXPECT_TRUE(_phone.calls.empty());
}
