#include <string>
#include <utility>
#include <vector>

#include "ServicesFixture.h"
#include "core/preferences/AppPreferences.h"

using device::Switch;
using device::SwitchState;

namespace {

class SwitchPanelTest : public ServicesTest {
  protected:
    rt::Ref<rt::Object> panel() {
        return rt::send<rt::Ref<rt::Object>>(classNamed("FSSwitchPanel"), rt::sel("sharedPanel"));
    }
    long long stateOf(const std::string& identifier) {
        return rt::send<long long>(panel(), rt::sel("stateForSwitchIdentifier:"), identifier);
    }
    void setState(long long state, const std::string& identifier) {
        rt::send<void>(panel(), rt::sel("setState:forSwitchIdentifier:"), state, identifier);
    }
};

const std::vector<std::pair<std::string, Switch>> kPanelIdentifiers = {
    {"com.a3tweaks.switch.rotation-lock", Switch::OrientationLock},
    {"com.a3tweaks.switch.cellular-data", Switch::Cellular},
    {"com.a3tweaks.switch.wifi", Switch::Wifi},
    {"com.a3tweaks.switch.bluetooth", Switch::Bluetooth},
    {"com.a3tweaks.switch.airplane-mode", Switch::Airplane},
    {"com.a3tweaks.switch.do-not-disturb", Switch::Dnd},
    {"com.a3tweaks.switch.location", Switch::Location},
    {"com.a3tweaks.switch.auto-brightness", Switch::AutoBrightness},
    {"com.a3tweaks.switch.autolock", Switch::AutoLock},
    {"com.a3tweaks.switch.low-power", Switch::LowPower},
    {"com.a3tweaks.switch.night-shift", Switch::NightShift},
    {"com.a3tweaks.switch.vpn", Switch::Vpn},
};

TEST_F(SwitchPanelTest, TheSharedPanelIsOnePerWorld) {
    const rt::Ref<rt::Object> first = panel();
    ASSERT_TRUE(first);
    EXPECT_EQ(panel(), first);
    bootSystem();
    EXPECT_NE(panel(), first);
}

TEST_F(SwitchPanelTest, EveryIdentifierReadsAndSetsItsOwnSwitchOnly) {
    for (const auto& [identifier, which] : kPanelIdentifiers) {
        const bool wasOn = phone().isOn(which);
        EXPECT_EQ(stateOf(identifier), wasOn ? 1 : 0) << identifier;

        std::vector<SwitchState> others;
        for (Switch other : device::allSwitches()) others.push_back(phone().switchState(other));

        setState(wasOn ? 0 : 1, identifier);
        EXPECT_EQ(phone().isOn(which), !wasOn) << identifier;
        EXPECT_EQ(stateOf(identifier), wasOn ? 0 : 1) << identifier;
        for (std::size_t i = 0; i < device::kSwitchCount; ++i) {
            const Switch other = device::allSwitches()[i];
            if (other == which) continue;
            EXPECT_EQ(phone().switchState(other), others[i])
                << identifier << " touched " << device::switchName(other);
        }
        EXPECT_EQ(phone().sets().of(which), 1) << identifier;
    }
    EXPECT_EQ(phone().timeline().entries().front().text, "orientationLock off → on (switch panel)");
}

TEST_F(SwitchPanelTest, AnIndeterminateSwitchReadsMinusOne) {
    phone().setSwitchState(Switch::Vpn, SwitchState::Indeterminate, device::Actor::user());
    EXPECT_EQ(stateOf("com.a3tweaks.switch.vpn"), -1);
    setState(1, "com.a3tweaks.switch.vpn");
    EXPECT_EQ(stateOf("com.a3tweaks.switch.vpn"), 1);
}

TEST_F(SwitchPanelTest, UnknownIdentifiersReadOffAndSetNothing) {
    for (const std::string identifier :
         {"com.a3tweaks.switch.hotspot", "wifi", "", "com.a3tweaks.switch.",
          "com.a3tweaks.switch.wifi.extra", "COM.A3TWEAKS.SWITCH.WIFI"}) {
        EXPECT_EQ(stateOf(identifier), 0) << identifier;
        setState(1, identifier);
        setState(0, identifier);
    }
    const device::SetCounts sets = phone().sets();
    for (Switch which : device::allSwitches()) EXPECT_EQ(sets.of(which), 0);
    EXPECT_TRUE(phone().timeline().empty());
    EXPECT_EQ(phone().calls().countFor("FSSwitchPanel", "setState:forSwitchIdentifier:"), 12u);
}

TEST_F(SwitchPanelTest, OnlyOffAndOnCanBeAskedFor) {
    setState(-1, "com.a3tweaks.switch.wifi");
    setState(2, "com.a3tweaks.switch.wifi");
    EXPECT_TRUE(phone().isOn(Switch::Wifi));
    EXPECT_EQ(phone().sets().of(Switch::Wifi), 0);
}

TEST_F(SwitchPanelTest, TheAutoBrightnessSwitchStoresTheDisplayPreference) {
    setState(0, "com.a3tweaks.switch.auto-brightness");
    bool valid = false;
    EXPECT_FALSE(
        core::CFPreferencesGetAppBooleanValue("BKEnableALS", "com.apple.backboardd", &valid));
    EXPECT_TRUE(valid);
    setState(1, "com.a3tweaks.switch.auto-brightness");
    EXPECT_TRUE(
        core::CFPreferencesGetAppBooleanValue("BKEnableALS", "com.apple.backboardd", nullptr));
    EXPECT_TRUE(phone().isOn(Switch::AutoBrightness));
}

TEST_F(SwitchPanelTest, CallsAreRecordedWithTheirArguments) {
    (void)stateOf("com.a3tweaks.switch.wifi");
    setState(0, "com.a3tweaks.switch.wifi");
    const device::CallLog calls = phone().calls();
    EXPECT_TRUE(calls.contains("FSSwitchPanel stateForSwitchIdentifier: com.a3tweaks.switch.wifi"));
    EXPECT_TRUE(
        calls.contains("FSSwitchPanel setState:forSwitchIdentifier: 0 com.a3tweaks.switch.wifi"));
}

}  // namespace
