#include <gtest/gtest.h>

#include <string>

#include "rt/Messaging.h"
#include "support/TweakWorld.h"
#include "tweak/lifecycle/ApplicationStateTracking.h"
#include "tweak/startup/SharedState.h"
#include "tweak/store/CustomValuesStore.h"

using namespace morvane;
using tweak_testing::FakeHost;

namespace {

constexpr const char* kMaps = "com.example.maps";
constexpr const char* kMail = "com.example.mail";

class LifecycleTest : public tweak_testing::TweakTest {
protected:
    void start(const core::PlistDictionary& values) {
        writeValuesFile(values);
        startLibrary();
    }
    rt::Ref<rt::Object> install(const std::string& bundleId) { return FakeHost::makeApplication(bundleId); }
    static void launch(const rt::Ref<rt::Object>& app) { FakeHost::reportState(app, 2, 2); }
    static void home(const rt::Ref<rt::Object>& app) { FakeHost::reportState(app, 2, 1); }
    static void obscure(const rt::Ref<rt::Object>& app) { FakeHost::reportState(app, 2, 3); }
    static void kill(const rt::Ref<rt::Object>& app) { FakeHost::reportState(app, 1, 0); }
    static double recordedVolume(const rt::Ref<rt::Object>& app) {
        return rt::send<double>(app, rt::sel("volumeBeforeOpening"));
    }
    static long long recordedWifi(const rt::Ref<rt::Object>& app) {
        return rt::send<long long>(app, rt::sel("wifiBeforeOpening"));
    }
    int volumeSets() const { return _phone.countCalls("SBMediaController setVolume:"); }
};

}  // namespace

// --- Turning the host's reports into entries, exits and obscured marks

TEST_F(LifecycleTest, EachForegroundReportWithoutTheMarkIsAnEntry) {
    start({{"com.example.maps-volume", 0.2f}});
    auto app = install(kMaps);
    _phone.volume = 0.7f;
    launch(app);
    EXPECT_DOUBLE_EQ(recordedVolume(app), static_cast<double>(0.7f));
    advance(0.5);
    _phone.volume = 0.6f;
    launch(app);  // a second entry without an exit records again
    EXPECT_DOUBLE_EQ(recordedVolume(app), static_cast<double>(0.6f));
}

TEST_F(LifecycleTest, AnAppComingBackFromObscuredIsNoNewEntry) {
    start({{"com.example.maps-volume", 0.2f}});
    auto app = install(kMaps);
    _phone.volume = 0.7f;
    launch(app);
    advance(0.5);
    obscure(app);
    launch(app);
    advance(0.5);
    EXPECT_EQ(volumeSets(), 1);
    home(app);
    advance(0.5);
    EXPECT_EQ(volumeSets(), 2);
    EXPECT_FLOAT_EQ(_phone.volume, 0.7f);
    EXPECT_FALSE(rt::send<bool>(app, rt::sel("previousStateWasForegroundObscured")));
}

TEST_F(LifecycleTest, TheObscuredMarkReadsNoBeforeItsFirstWriteAndIsSetByAnyTaskState) {
    start({});
    auto app = install(kMaps);
    EXPECT_FALSE(rt::send<bool>(app, rt::sel("previousStateWasForegroundObscured")));
    FakeHost::reportState(app, 1, 3);
    EXPECT_TRUE(rt::send<bool>(app, rt::sel("previousStateWasForegroundObscured")));
    FakeHost::reportState(app, 3, 1);  // an unknown task state changes nothing
    EXPECT_TRUE(rt::send<bool>(app, rt::sel("previousStateWasForegroundObscured")));
    kill(app);
    EXPECT_FALSE(rt::send<bool>(app, rt::sel("previousStateWasForegroundObscured")));
}

TEST_F(LifecycleTest, TheHostTakesEveryReportInBeforeTheLibrary) {
    start({{"com.example.maps-volume", 0.2f}});
    auto app = install(kMaps);
    launch(app);
    ASSERT_GE(_phone.calls.size(), 1u);
    EXPECT_EQ(_phone.calls.front().text, "SBApplication _noteProcess com.example.maps");
    EXPECT_EQ(FakeHost::lastTaskState(app), 2);
}

// --- Entry

TEST_F(LifecycleTest, AnAppWithoutValuesChangesNothingButBecomesTheLastForegroundApp) {
    start({{"com.example.maps-toggles", core::PlistDictionary{}}});
    auto app = install(kMaps);
    launch(app);
    advance(1.0);
    EXPECT_EQ(SharedState::lastForegroundAppBundleId(), kMaps);
    EXPECT_DOUBLE_EQ(recordedVolume(app), -1.0);
    EXPECT_EQ(_phone.calls.size(), 1u) << "only the host's own report";
}

TEST_F(LifecycleTest, OnlyTheKindsTheAppCustomisesAreRecordedAndApplied) {
    start({{"com.example.maps-volume", 0.0f}, {"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}}}});
    auto app = install(kMaps);
    _phone.volume = 0.7f;
    _phone.brightness = 0.4;
    _phone.switches["wifi"] = 1;
    launch(app);
    EXPECT_DOUBLE_EQ(recordedVolume(app), static_cast<double>(0.7f));
    EXPECT_DOUBLE_EQ(rt::send<double>(app, rt::sel("brightnessBeforeOpening")), -1.0);
    EXPECT_EQ(recordedWifi(app), 1);
    EXPECT_EQ(rt::send<long long>(app, rt::sel("bluetoothBeforeOpening")), -1);
    advance(0.29);
    EXPECT_EQ(_phone.switchState("wifi"), 1);
    advance(0.01);
    EXPECT_EQ(_phone.switchState("wifi"), 0) << "Wi-Fi off 0.3 s after entry";
    EXPECT_FLOAT_EQ(_phone.volume, 0.0f) << "a custom volume of 0.0 is applied";
    EXPECT_EQ(_phone.countCalls("FSSwitchPanel setState:"), 1);
    EXPECT_DOUBLE_EQ(_phone.brightness, 0.4);
}

TEST_F(LifecycleTest, AVolumeAlreadyInForceIsRecordedButNotSet) {
    start({{"com.example.maps-volume", 0.5f}});
    auto app = install(kMaps);
    _phone.volume = 0.5f;
    launch(app);
    advance(1.0);
    EXPECT_DOUBLE_EQ(recordedVolume(app), 0.5);
    EXPECT_EQ(volumeSets(), 0);
}

TEST_F(LifecycleTest, BrightnessGlidesFromTwoTenthsOfASecondAfterEntry) {
    start({{"com.example.maps-brightness", 0.9f}});
    auto app = install(kMaps);
    _phone.brightness = 0.2;
    launch(app);
    EXPECT_DOUBLE_EQ(rt::send<double>(app, rt::sel("brightnessBeforeOpening")), 0.2);
    advance(0.2);
    EXPECT_EQ(_phone.countCalls("SBBrightnessController"), 1);
    advance(2.0);
    EXPECT_NEAR(_phone.brightness, 0.9, 0.011);
}

// --- Exit

TEST_F(LifecycleTest, LeavingPutsTheRecordedVolumeBack) {
    start({{"com.example.maps-volume", 0.2f}});
    auto app = install(kMaps);
    _phone.volume = 0.7f;
    launch(app);
    advance(0.5);
    EXPECT_FLOAT_EQ(_phone.volume, 0.2f);
    home(app);
    advance(0.29);
    EXPECT_FLOAT_EQ(_phone.volume, 0.2f);
    advance(0.01);
    EXPECT_FLOAT_EQ(_phone.volume, 0.7f);
}

TEST_F(LifecycleTest, WithTheRestoreSettingOffTheVolumeStays) {
    start({{"com.example.maps-volume", 0.2f}, {"restorePreviousVolumeOnAppExit", false}});
    auto app = install(kMaps);
    _phone.volume = 0.7f;
    launch(app);
    advance(0.5);
    home(app);
    advance(0.5);
    EXPECT_FLOAT_EQ(_phone.volume, 0.2f);
}

TEST_F(LifecycleTest, ValuesRemovedWhileTheAppRanAreNotRestored) {
    start({{"com.example.maps-volume", 0.2f}, {"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}}}});
    auto app = install(kMaps);
    _phone.volume = 0.7f;
    _phone.switches["wifi"] = 1;
    launch(app);
    advance(0.5);
    ASSERT_TRUE(CustomValuesStore::removeCustomVolumeForApp(kMaps));
    ASSERT_TRUE(CustomValuesStore::storeCustomToggleStateForApp("wifi", -1, kMaps));
    home(app);
    advance(0.5);
    EXPECT_FLOAT_EQ(_phone.volume, 0.2f);
    EXPECT_EQ(_phone.switchState("wifi"), 0);
}

TEST_F(LifecycleTest, TogglesArePutBackAtOnceAndOnlyThoseTheAppSets) {
    start({{"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}, {"bluetooth", 1}}}});
    auto app = install(kMaps);
    _phone.switches["wifi"] = 1;
    launch(app);
    advance(0.5);
    ASSERT_TRUE(CustomValuesStore::storeCustomToggleStateForApp("bluetooth", -1, kMaps));
    _phone.calls.clear();
    home(app);
    EXPECT_EQ(_phone.switchState("wifi"), 1) << "at once";
    EXPECT_EQ(_phone.switchState("bluetooth"), 1) << "no longer set by the app: left alone";
    EXPECT_EQ(_phone.countCalls("BluetoothManager"), 0);
}

TEST_F(LifecycleTest, AnAppThatNeverEnteredChangesNothingOnExit) {
    start({{"com.example.maps-volume", 0.2f}});
    auto app = install(kMaps);
    home(app);
    kill(app);
    advance(1.0);
    EXPECT_EQ(_phone.calls.size(), 2u) << "only the host's own reports";
}

TEST_F(LifecycleTest, ASecondExitWithoutANewEntryPutsNothingBack) {
    start({{"com.example.maps-volume", 0.2f}, {"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}}}});
    auto app = install(kMaps);
    _phone.volume = 0.7f;
    _phone.switches["wifi"] = 1;
    launch(app);
    advance(0.5);
    home(app);
    advance(0.5);
    // The user changes things; then the app's process ends.
    _phone.volume = 0.4f;
    _phone.switches["wifi"] = 0;
    _phone.calls.clear();
    kill(app);
    advance(1.0);
    EXPECT_FLOAT_EQ(_phone.volume, 0.4f);
    EXPECT_EQ(_phone.switchState("wifi"), 0);
    EXPECT_EQ(_phone.calls.size(), 1u) << "only the host's own report";
    // A new entry makes the recorded values due again.
    launch(app);
    advance(0.5);
    home(app);
    advance(0.5);
    EXPECT_FLOAT_EQ(_phone.volume, 0.4f);
    EXPECT_EQ(_phone.switchState("wifi"), 0);
}

TEST_F(LifecycleTest, TogglesScheduledAtEntryAreDroppedWhenTheAppLeftBeforeThey) {
    start({{"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}}}});
    auto app = install(kMaps);
    _phone.switches["wifi"] = 1;
    launch(app);
    advance(0.1);
    home(app);
    advance(1.0);
    EXPECT_EQ(_phone.switchState("wifi"), 1);
    EXPECT_EQ(_phone.countCalls("FSSwitchPanel setState: 0"), 0) << "Wi-Fi was never turned off after the exit";
}

TEST_F(LifecycleTest, AQuickReentryAppliesTheTogglesOfTheNewEntryOnly) {
    start({{"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}}}});
    auto app = install(kMaps);
    _phone.switches["wifi"] = 1;
    launch(app);
    advance(0.1);
    home(app);
    advance(0.1);
    launch(app);
    advance(1.0);
    EXPECT_EQ(_phone.countCalls("FSSwitchPanel setState: 0 com.a3tweaks.switch.wifi"), 1);
    EXPECT_EQ(_phone.switchState("wifi"), 0);
}

TEST_F(LifecycleTest, SwitchingStraightBetweenTwoAppsCarriesOutTheFirstVolumeRequest) {
    start({{"com.example.maps-volume", 0.2f}, {"com.example.mail-volume", 0.9f}});
    auto maps = install(kMaps);
    auto mail = install(kMail);
    _phone.volume = 0.7f;
    launch(maps);
    advance(0.5);
    home(maps);  // asks for 0.7
    launch(mail);  // records 0.2 (still in force); its request is dropped
    EXPECT_DOUBLE_EQ(recordedVolume(mail), static_cast<double>(0.2f));
    advance(0.5);
    EXPECT_FLOAT_EQ(_phone.volume, 0.7f);
}

TEST_F(LifecycleTest, AStateReportWithABrokenStateObjectDoesNotReachTheHost) {
    start({});
    auto app = install(kMaps);
    // A state object without taskState: the library's step fails, silently.
    auto notAState = FakeHost::makeApplication("com.example.other");
    EXPECT_NO_THROW(rt::send<void>(app, rt::sel("_noteProcess:didChangeToState:"), notAState, notAState));
}
