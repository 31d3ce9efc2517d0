#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <sstream>
#include <thread>

#include "core/dispatch/Clock.h"
#include "device/Phone.h"
#include "support/DeviceWorld.h"

using device::Actor;
using device::Phone;
using device::Switch;
using device::SwitchState;

namespace {

class PhoneTest : public ::testing::Test {
  protected:
    Phone& bootWith(const device::DeviceConfiguration& configuration) {
        return Phone::boot(configuration);
    }

    testing_support::DeviceWorld world;
    Phone& phone = Phone::boot();
    const Actor mediaController = Actor::service("media controller");
};

TEST_F(PhoneTest, SwitchNamesAreTheTweaksToggleNames) {
    const std::vector<std::string> names = {
        "orientationLock", "cellular",       "wifi",     "bluetooth", "airplane",   "dnd",
        "location",        "autoBrightness", "autoLock", "lowPower",  "nightShift", "vpn"};
    std::set<Switch> seen;
    for (const std::string& name : names) {
        const auto which = device::switchNamed(name);
        ASSERT_TRUE(which) << name;
        EXPECT_EQ(device::switchName(*which), name);
        seen.insert(*which);
    }
    EXPECT_EQ(seen.size(), 12u);
    EXPECT_EQ(device::allSwitches().front(), Switch::OrientationLock);
    EXPECT_EQ(device::allSwitches().back(), Switch::Vpn);
    EXPECT_FALSE(device::switchNamed("WiFi"));
    EXPECT_FALSE(device::switchNamed(""));
    EXPECT_FALSE(device::switchNamed("wifi "));
}

TEST_F(PhoneTest, BootsAsConfiguredAndStartsAfresh) {
    EXPECT_EQ(phone.systemVersion(), "13.5");
    EXPECT_EQ(phone.localeIdentifier(), "en_US");
    EXPECT_TRUE(phone.isOn(Switch::Wifi));
    EXPECT_FALSE(phone.isOn(Switch::Airplane));
    phone.setVolume(0.9f, mediaController);
    phone.recordCall("BluetoothManager", "enabled");

    device::DeviceConfiguration configuration;
    configuration.systemVersion = "11.4.1";
    configuration.localeIdentifier = "ar_SA";
    configuration.layoutDirection = device::LayoutDirection::RightToLeft;
    configuration.volume = 0.25f;
    configuration.brightness = 0.8;
    configuration.setInitialState(Switch::Wifi, SwitchState::Indeterminate);
    Phone& booted = bootWith(configuration);

    EXPECT_EQ(&booted, &Phone::shared());
    EXPECT_EQ(booted.systemVersion(), "11.4.1");
    EXPECT_EQ(booted.localeIdentifier(), "ar_SA");
    EXPECT_EQ(booted.layoutDirection(), device::LayoutDirection::RightToLeft);
    EXPECT_EQ(booted.volume(), 0.25f);
    EXPECT_EQ(booted.brightness(), 0.8);
    EXPECT_EQ(booted.switchState(Switch::Wifi), SwitchState::Indeterminate);
    EXPECT_EQ(booted.sets().volume, 0);
    EXPECT_TRUE(booted.timeline().empty());
    EXPECT_EQ(booted.calls().size(), 0u);
}

TEST_F(PhoneTest, EverySetCountsWhateverValueItAsks) {
    phone.setVolume(0.5f, mediaController);  // the level already in force
    phone.setVolume(0.5f, mediaController);
    phone.setBrightness(0.1, Actor::user());
    phone.setSwitch(Switch::Wifi, true, Actor::service("switch panel"));
    phone.setSwitch(Switch::Wifi, false, Actor::service("switch panel"));

    const device::SetCounts sets = phone.sets();
    EXPECT_EQ(sets.volume, 2);
    EXPECT_EQ(sets.brightness, 1);
    EXPECT_EQ(sets.of(Switch::Wifi), 2);
    EXPECT_EQ(sets.of(Switch::Bluetooth), 0);
    EXPECT_EQ(sets.named("volume"), 2);
    EXPECT_EQ(sets.named("wifi"), 2);
    EXPECT_EQ(sets.named("dnd"), 0);
    EXPECT_FALSE(sets.named("loudness"));
}

TEST_F(PhoneTest, LevelsAreClampedAndNotANumberChangesNothing) {
    phone.setVolume(1.7f, mediaController);
    EXPECT_EQ(phone.volume(), 1.0f);
    phone.setBrightness(-0.2, Actor::user());
    EXPECT_EQ(phone.brightness(), 0.0);
    phone.setBrightness(std::numeric_limits<double>::quiet_NaN(), Actor::user());
    EXPECT_EQ(phone.brightness(), 0.0);
    phone.setVolume(std::numeric_limits<float>::quiet_NaN(), mediaController);
    EXPECT_EQ(phone.volume(), 1.0f);
    EXPECT_EQ(phone.sets().volume, 2);
    EXPECT_EQ(phone.sets().brightness, 2);
}

TEST_F(PhoneTest, TimelineEntriesCarryTimeActorAndReadableText) {
    phone.setVolume(0.7f, Actor::user());
    core::Clock::advance(0.3);
    phone.setVolume(0.2f, mediaController, Phone::Overlay::Hidden);
    core::Clock::advance(1.2);
    phone.setBrightness(0.205, Actor::service("brightness controller"), Phone::Overlay::Shown);
    phone.setSwitch(Switch::Wifi, false, Actor::service("switch panel"));

    const device::Timeline timeline = phone.timeline();
    ASSERT_EQ(timeline.size(), 4u);
    const device::TimelineEntry& volumeEntry = timeline.entries()[1];
    EXPECT_DOUBLE_EQ(volumeEntry.time, 0.3);
    EXPECT_EQ(volumeEntry.actor, mediaController);
    EXPECT_EQ(volumeEntry.text, "volume 0.70 → 0.20 (media controller, overlay hidden)");
    EXPECT_EQ(volumeEntry.format(), "0.300  volume 0.70 → 0.20 (media controller, overlay hidden)");
    EXPECT_EQ(timeline.entries()[0].text, "volume 0.50 → 0.70 (user)");
    EXPECT_TRUE(timeline.entries()[0].actor.isUser());
    EXPECT_EQ(timeline.entries()[2].text,
              "brightness 0.50 → 0.205 (brightness controller, overlay shown)");
    EXPECT_DOUBLE_EQ(timeline.entries()[3].time, 1.5);
    EXPECT_EQ(timeline.entries()[3].text, "wifi on → off (switch panel)");
    EXPECT_EQ(timeline.matching("volume").size(), 2u);
}

TEST_F(PhoneTest, TheTimelineKeepsTheLatestChangesWithinItsCapacity) {
    device::Timeline timeline;
    const std::size_t changes = 3 * device::Timeline::kCapacity + 5;
    for (std::size_t index = 0; index < changes; ++index) {
        timeline.record({static_cast<double>(index), Actor::user(), std::to_string(index)});
        ASSERT_LE(timeline.size(), device::Timeline::kCapacity);
    }
    EXPECT_GE(timeline.size(), device::Timeline::kCapacity / 2);
    EXPECT_EQ(timeline.size() + timeline.dropped(), changes);
    EXPECT_EQ(timeline.entries().back().text, std::to_string(changes - 1));
    EXPECT_EQ(timeline.entries().front().text, std::to_string(timeline.dropped()));
}

TEST_F(PhoneTest, FormattedTimelineAlignsTimesUnderAHeading) {
    phone.setVolume(0.7f, Actor::user());
    core::Clock::advance(12.5);
    phone.setSwitch(Switch::Dnd, true, Actor::user());

    std::istringstream lines(phone.timeline().format());
    std::string heading, first, second;
    std::getline(lines, heading);
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_NE(heading.find("time"), std::string::npos);
    EXPECT_EQ(first, " 0.000  volume 0.50 → 0.70 (user)");
    EXPECT_EQ(second, "12.500  dnd off → on (user)");
    EXPECT_EQ(device::Timeline().format(), "(no changes)\n");
}

TEST_F(PhoneTest, OverlaysAreCountedOnlyWhenShownAndNeverForTheUser) {
    phone.setVolume(0.1f, mediaController, Phone::Overlay::Shown);
    phone.setVolume(0.2f, mediaController, Phone::Overlay::Hidden);
    phone.setVolume(0.3f, Actor::user(), Phone::Overlay::Shown);
    phone.setBrightness(0.3, Actor::service("brightness controller"), Phone::Overlay::Shown);
    EXPECT_EQ(phone.overlays().volume, 1);
    EXPECT_EQ(phone.overlays().brightness, 1);
    EXPECT_EQ(phone.timeline().entries()[2].text, "volume 0.20 → 0.30 (user)");
}

TEST_F(PhoneTest, ASwitchCanBeMadeIndeterminate) {
    phone.setSwitchState(Switch::Location, SwitchState::Indeterminate,
                         Actor::service("location manager"));
    EXPECT_EQ(phone.switchState(Switch::Location), SwitchState::Indeterminate);
    EXPECT_FALSE(phone.isOn(Switch::Location));
    phone.setSwitch(Switch::Location, true, Actor::user());
    EXPECT_TRUE(phone.isOn(Switch::Location));
    EXPECT_EQ(phone.timeline().entries()[0].text, "location on → indeterminate (location manager)");
    EXPECT_EQ(phone.timeline().entries()[1].text, "location indeterminate → on (user)");
    EXPECT_EQ(phone.sets().of(Switch::Location), 2);
}

TEST_F(PhoneTest, BluetoothDevicesAreConnectedOnlyWhileBluetoothIsOn) {
    device::DeviceConfiguration configuration;
    configuration.bluetoothDevices = {"AirPods", "Car"};
    Phone& withDevices = bootWith(configuration);
    EXPECT_EQ(withDevices.connectedBluetoothDevices(),
              (std::vector<std::string>{"AirPods", "Car"}));

    withDevices.setSwitch(Switch::Bluetooth, false, Actor::user());
    EXPECT_TRUE(withDevices.connectedBluetoothDevices().empty());
    withDevices.setSwitch(Switch::Bluetooth, true, Actor::user());
    EXPECT_EQ(withDevices.connectedBluetoothDevices().size(), 2u);

    EXPECT_TRUE(withDevices.disconnectBluetoothDevice("AirPods", Actor::user()));
    EXPECT_FALSE(withDevices.disconnectBluetoothDevice("AirPods", Actor::user()));
    EXPECT_FALSE(withDevices.disconnectBluetoothDevice("Watch", Actor::user()));
    withDevices.connectBluetoothDevice("Car", Actor::user());  // already connected
    EXPECT_EQ(withDevices.connectedBluetoothDevices(), (std::vector<std::string>{"Car"}));
    EXPECT_EQ(withDevices.timeline().matching("AirPods").size(), 1u);
}

TEST_F(PhoneTest, HapticTapsAndEventsGoOnTheTimelineWithoutCountingAsSets) {
    core::Clock::advance(0.5);
    phone.recordImpact(1);
    phone.recordEvent(Actor::service("home screen"), "com.example.maps: running, foreground");
    EXPECT_EQ(phone.impacts(), (std::vector<long long>{1}));
    const device::Timeline timeline = phone.timeline();
    ASSERT_EQ(timeline.size(), 2u);
    EXPECT_EQ(timeline.entries()[0].format(),
              "0.500  haptic tap, medium (impact feedback generator)");
    EXPECT_EQ(timeline.entries()[1].text, "com.example.maps: running, foreground (home screen)");
    EXPECT_EQ(phone.sets().volume + phone.sets().brightness, 0);
}

TEST_F(PhoneTest, CallLogCountsCallsPerServiceAndSelector) {
    phone.recordCall("BluetoothManager", "setEnabled: 1");
    phone.recordCall("BluetoothManager", "enabled");
    phone.recordCall("BluetoothManager", "setEnabledForever: 1");
    phone.recordCall("SBWiFiManager", "setWiFiEnabled: 0");

    const device::CallLog calls = phone.calls();
    EXPECT_EQ(calls.countFor("BluetoothManager"), 3u);
    EXPECT_EQ(calls.countFor("BluetoothManager", "setEnabled:"), 1u);
    EXPECT_EQ(calls.countFor("BluetoothManager", "enabled"), 1u);
    EXPECT_EQ(calls.countFor("Bluetooth"), 0u);
    EXPECT_TRUE(calls.contains("SBWiFiManager setWiFiEnabled: 0"));
    EXPECT_FALSE(calls.contains("SBWiFiManager setWiFiEnabled: 1"));
    EXPECT_NE(calls.format().find("0.000  BluetoothManager setEnabled: 1\n"), std::string::npos);
}

TEST_F(PhoneTest, ReadsAndSetsFromSeveralThreadsAreAllCounted) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < 200; ++i) {
                phone.setVolume(static_cast<float>(i) / 200.0f, Actor::service("worker"));
                phone.recordCall("SBMediaController", "volume");
                EXPECT_LE(phone.volume(), 1.0f);
                if (t == 0) (void)phone.timeline();
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(phone.sets().volume, 800);
    EXPECT_EQ(phone.calls().size(), 800u);
    EXPECT_EQ(phone.timeline().size(), 800u);
}

}  // namespace

// A phone that runs for days keeps the latest calls its services received, not every one: the
// log stays within its capacity, says how many it dropped, and answers about the latest.
TEST_F(PhoneTest, HapticTapsKeepTheLatestStylesAndCountEveryTap) {
    auto& phone = device::Phone::shared();
    const std::size_t given = 3 * device::Phone::kLatestImpacts + 5;
    for (std::size_t index = 0; index < given; ++index)
        phone.recordImpact(static_cast<long long>(index % 5));
    const auto latest = phone.impacts();
    EXPECT_LE(latest.size(), device::Phone::kLatestImpacts);
    EXPECT_GE(latest.size(), device::Phone::kLatestImpacts / 2);
    EXPECT_EQ(latest.back(), static_cast<long long>((given - 1) % 5));
    EXPECT_EQ(phone.impactCount(), given);
}

TEST_F(PhoneTest, TheCallLogKeepsTheLatestCallsAndCountsTheDropped) {
    auto& phone = device::Phone::shared();
    ASSERT_EQ(phone.calls().size(), 0u);  // a phone started afresh
    const std::size_t made = 3 * device::CallLog::kCapacity + 5;
    for (std::size_t index = 0; index < made; ++index)
        phone.recordCall("BacklightController", "setBrightness: " + std::to_string(index));
    const device::CallLog calls = phone.calls();
    EXPECT_LE(calls.size(), device::CallLog::kCapacity);
    EXPECT_GE(calls.size(), device::CallLog::kCapacity / 2);
    EXPECT_EQ(calls.size() + calls.dropped(), made);
    EXPECT_EQ(calls.calls().back().message, "setBrightness: " + std::to_string(made - 1));
    EXPECT_TRUE(calls.contains("BacklightController setBrightness: " + std::to_string(made - 1)));
    EXPECT_FALSE(calls.contains("BacklightController setBrightness: 0"));
    EXPECT_EQ(calls.countFor("BacklightController", "setBrightness:"), calls.size());
}
