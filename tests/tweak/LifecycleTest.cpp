#include <gtest/gtest.h>

#include <string>

#include "device/Phone.h"
#include "device/Switch.h"
#include "rt/Hook.h"
#include "rt/Messaging.h"
#include "rt/Runtime.h"
#include "springboard/HomeScreen.h"
#include "springboard/SBApplication.h"
#include "support/TweakWorld.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/lifecycle/ApplicationStateTracking.h"
#include "tweak/startup/SettingsTable.h"
#include "tweak/startup/SharedState.h"
#include "tweak/store/CustomValuesStore.h"

using namespace morvane;
using device::Switch;
using springboard::HomeScreen;

namespace {

constexpr const char* kMaps = "com.example.maps";
constexpr const char* kMail = "com.example.mail";

// A stand-in wrapped around the host's own _noteProcess:didChangeToState: before the library
// starts: each report reaching the host's implementation goes into the phone's call log, so
// a test can see whether the host took a report in before the library acted on it. The real
// host keeps only the last state it was told, not when.
class HostReportRecorder {
  public:
    static void install() {
        rt::hook<&record>(rt::lookUpClass("SBApplication"), "_noteProcess:didChangeToState:");
    }

  private:
    static void record(rt::Object* self, rt::Selector cmd, rt::Object* process, rt::Object* state) {
        device::Phone::shared().recordCall("SBApplication", "_noteProcess:didChangeToState:");
        rt::original<&record>(self, cmd, process, state);
    }
};

class LifecycleTest : public tweak_testing::TweakTest {
  protected:
    void start(const core::PlistDictionary& values,
               const device::DeviceConfiguration& configuration = {}) {
        writeValuesFile(values);
        startLibrary(configuration);
    }
    static rt::Ref<rt::Object> install(const std::string& bundleId) {
        return HomeScreen::installApp(bundleId);
    }
    static void launch(const std::string& bundleId) { HomeScreen::reportState(bundleId, 2, 2); }
    static void home(const std::string& bundleId) { HomeScreen::reportState(bundleId, 2, 1); }
    static void obscure(const std::string& bundleId) { HomeScreen::reportState(bundleId, 2, 3); }
    static void kill(const std::string& bundleId) { HomeScreen::reportState(bundleId, 1, 0); }
    static double recordedVolume(const rt::Ref<rt::Object>& app) {
        return rt::send<double>(app, rt::sel("volumeBeforeOpening"));
    }
    static long long recordedWifi(const rt::Ref<rt::Object>& app) {
        return rt::send<long long>(app, rt::sel("wifiBeforeOpening"));
    }
    static bool markedObscured(const rt::Ref<rt::Object>& app) {
        return rt::send<bool>(app, rt::sel("previousStateWasForegroundObscured"));
    }
    // The task state of the last report the host's own implementation took in.
    static long long hostTaskState(const rt::Ref<rt::Object>& app) {
        const auto* application = rt::cast<springboard::SBApplication>(app.get());
        return application ? rt::send<long long>(application->currentState(), rt::sel("taskState"))
                           : -1;
    }
    static int volumeSets(std::size_t mark = 0) {
        return countCalls("SBMediaController setVolume:", mark);
    }
    static device::DeviceConfiguration withVolume(float volume) {
        device::DeviceConfiguration configuration;
        configuration.volume = volume;
        return configuration;
    }
};

}  // namespace

// --- Turning the host's reports into entries, exits and obscured marks

TEST_F(LifecycleTest, EachForegroundReportWithoutTheMarkIsAnEntry) {
    start({{"com.example.maps-volume", 0.2f}}, withVolume(0.7f));
    auto app = install(kMaps);
    launch(kMaps);
    EXPECT_DOUBLE_EQ(recordedVolume(app), static_cast<double>(0.7f));
    advance(0.5);
    userSetsVolume(0.6f);
    launch(kMaps);  // a second entry without an exit records again
    EXPECT_DOUBLE_EQ(recordedVolume(app), static_cast<double>(0.6f));
}

TEST_F(LifecycleTest, AnAppComingBackFromObscuredIsNoNewEntry) {
    start({{"com.example.maps-volume", 0.2f}}, withVolume(0.7f));
    auto app = install(kMaps);
    launch(kMaps);
    advance(0.5);
    obscure(kMaps);
    launch(kMaps);
    advance(0.5);
    EXPECT_EQ(volumeSets(), 1);
    home(kMaps);
    advance(0.5);
    EXPECT_EQ(volumeSets(), 2);
    EXPECT_FLOAT_EQ(phone().volume(), 0.7f);
    EXPECT_FALSE(markedObscured(app));
}

TEST_F(LifecycleTest, TheObscuredMarkReadsNoBeforeItsFirstWriteAndIsSetByAnyTaskState) {
    start({});
    auto app = install(kMaps);
    EXPECT_FALSE(markedObscured(app));
    HomeScreen::reportState(kMaps, 1, 3);
    EXPECT_TRUE(markedObscured(app));
    HomeScreen::reportState(kMaps, 3, 1);  // an unknown task state changes nothing
    EXPECT_TRUE(markedObscured(app));
    kill(kMaps);
    EXPECT_FALSE(markedObscured(app));
}

TEST_F(LifecycleTest, TheHostTakesEveryReportInBeforeTheLibrary) {
    writeValuesFile({{"com.example.maps-volume", 0.2f}});
    startLibrary({}, "SpringBoard", &HostReportRecorder::install);
    auto app = install(kMaps);
    launch(kMaps);
    const device::CallLog calls = phone().calls();
    ASSERT_GE(calls.size(), 2u) << "the host's report and the library's recording of the volume";
    EXPECT_EQ(calls.calls().front().text(), "SBApplication _noteProcess:didChangeToState:");
    EXPECT_EQ(calls.countFor("SBApplication"), 1u);
    EXPECT_EQ(hostTaskState(app), 2);
}

// --- Entry

TEST_F(LifecycleTest, AnAppWithoutValuesChangesNothingButBecomesTheLastForegroundApp) {
    start({{"com.example.maps-toggles", core::PlistDictionary{}}});
    auto app = install(kMaps);
    launch(kMaps);
    advance(1.0);
    EXPECT_EQ(SharedState::lastForegroundAppBundleId(), kMaps);
    EXPECT_DOUBLE_EQ(recordedVolume(app), -1.0);
    EXPECT_EQ(phone().calls().size(), 0u) << phone().calls().format();
    EXPECT_EQ(phone().timeline().size(), 1u) << "only the host's own report:\n"
                                             << phone().timeline().format();
}

TEST_F(LifecycleTest, OnlyTheKindsTheAppCustomisesAreRecordedAndApplied) {
    start({{"com.example.maps-volume", 0.0f},
           {"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}}}});
    auto app = install(kMaps);
    userSetsVolume(0.7f);
    userSetsBrightness(0.4);
    userSetsSwitch(Switch::Wifi, true);
    launch(kMaps);
    EXPECT_DOUBLE_EQ(recordedVolume(app), static_cast<double>(0.7f));
    EXPECT_DOUBLE_EQ(rt::send<double>(app, rt::sel("brightnessBeforeOpening")), -1.0);
    EXPECT_EQ(recordedWifi(app), 1);
    EXPECT_EQ(rt::send<long long>(app, rt::sel("bluetoothBeforeOpening")), -1);
    advance(0.29);
    EXPECT_TRUE(phone().isOn(Switch::Wifi));
    advance(0.01);
    EXPECT_FALSE(phone().isOn(Switch::Wifi)) << "Wi-Fi off 0.3 s after entry";
    EXPECT_FLOAT_EQ(phone().volume(), 0.0f) << "a custom volume of 0.0 is applied";
    EXPECT_EQ(countCalls("FSSwitchPanel setState:forSwitchIdentifier:"), 1);
    EXPECT_DOUBLE_EQ(phone().brightness(), 0.4);
    EXPECT_EQ(countCalls("SBBrightnessController"), 0);
}

TEST_F(LifecycleTest, AVolumeAlreadyInForceIsRecordedButNotSet) {
    start({{"com.example.maps-volume", 0.5f}}, withVolume(0.5f));
    auto app = install(kMaps);
    launch(kMaps);
    advance(1.0);
    EXPECT_DOUBLE_EQ(recordedVolume(app), 0.5);
    EXPECT_EQ(volumeSets(), 0);
    EXPECT_EQ(phone().sets().volume, 0);
}

TEST_F(LifecycleTest, BrightnessGlidesFromTwoTenthsOfASecondAfterEntry) {
    device::DeviceConfiguration dim;
    dim.brightness = 0.2;
    start({{"com.example.maps-brightness", 0.9f}}, dim);
    auto app = install(kMaps);
    launch(kMaps);
    EXPECT_DOUBLE_EQ(rt::send<double>(app, rt::sel("brightnessBeforeOpening")), 0.2);
    advance(0.2);
    EXPECT_EQ(countCalls("SBBrightnessController"), 1);
    advance(2.0);
    EXPECT_NEAR(phone().brightness(), 0.9, 0.011);
}

// --- Exit

TEST_F(LifecycleTest, LeavingPutsTheRecordedVolumeBack) {
    start({{"com.example.maps-volume", 0.2f}}, withVolume(0.7f));
    install(kMaps);
    launch(kMaps);
    advance(0.5);
    EXPECT_FLOAT_EQ(phone().volume(), 0.2f);
    home(kMaps);
    advance(0.29);
    EXPECT_FLOAT_EQ(phone().volume(), 0.2f);
    advance(0.01);
    EXPECT_FLOAT_EQ(phone().volume(), 0.7f);
}

TEST_F(LifecycleTest, WithTheRestoreSettingOffTheVolumeStays) {
    start({{"com.example.maps-volume", 0.2f}, {"restorePreviousVolumeOnAppExit", false}},
          withVolume(0.7f));
    install(kMaps);
    launch(kMaps);
    advance(0.5);
    home(kMaps);
    advance(0.5);
    EXPECT_FLOAT_EQ(phone().volume(), 0.2f);
    EXPECT_EQ(volumeSets(), 1);
}

TEST_F(LifecycleTest, ValuesRemovedWhileTheAppRanAreNotRestored) {
    start({{"com.example.maps-volume", 0.2f},
           {"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}}}},
          withVolume(0.7f));
    install(kMaps);
    launch(kMaps);
    advance(0.5);
    ASSERT_TRUE(CustomValuesStore::removeCustomVolumeForApp(kMaps));
    ASSERT_TRUE(CustomValuesStore::storeCustomToggleStateForApp("wifi", -1, kMaps));
    home(kMaps);
    advance(0.5);
    EXPECT_FLOAT_EQ(phone().volume(), 0.2f);
    EXPECT_FALSE(phone().isOn(Switch::Wifi));
}

TEST_F(LifecycleTest, TogglesArePutBackAtOnceAndOnlyThoseTheAppSets) {
    device::DeviceConfiguration bluetoothOff;
    bluetoothOff.setInitialState(Switch::Bluetooth, device::SwitchState::Off);
    start({{"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}, {"bluetooth", 1}}}},
          bluetoothOff);
    install(kMaps);
    launch(kMaps);
    advance(0.5);
    ASSERT_FALSE(phone().isOn(Switch::Wifi));
    ASSERT_TRUE(phone().isOn(Switch::Bluetooth));
    ASSERT_TRUE(CustomValuesStore::storeCustomToggleStateForApp("bluetooth", -1, kMaps));
    const std::size_t mark = callMark();
    home(kMaps);
    EXPECT_TRUE(phone().isOn(Switch::Wifi)) << "at once";
    EXPECT_TRUE(phone().isOn(Switch::Bluetooth)) << "no longer set by the app: left alone";
    EXPECT_EQ(countCalls("BluetoothManager", mark), 0);
}

TEST_F(LifecycleTest, AnAppThatNeverEnteredChangesNothingOnExit) {
    start({{"com.example.maps-volume", 0.2f}});
    install(kMaps);
    home(kMaps);
    kill(kMaps);
    advance(1.0);
    EXPECT_EQ(phone().calls().size(), 0u) << phone().calls().format();
    EXPECT_EQ(phone().timeline().size(), 2u) << "only the host's own reports:\n"
                                             << phone().timeline().format();
}

TEST_F(LifecycleTest, ASecondExitWithoutANewEntryPutsNothingBack) {
    start({{"com.example.maps-volume", 0.2f},
           {"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}}}},
          withVolume(0.7f));
    install(kMaps);
    launch(kMaps);
    advance(0.5);
    home(kMaps);
    advance(0.5);
    // The user changes things; then the app's process ends.
    userSetsVolume(0.4f);
    userSetsSwitch(Switch::Wifi, false);
    const std::size_t mark = callMark();
    const std::size_t changesBefore = phone().timeline().size();
    kill(kMaps);
    advance(1.0);
    EXPECT_FLOAT_EQ(phone().volume(), 0.4f);
    EXPECT_FALSE(phone().isOn(Switch::Wifi));
    EXPECT_EQ(countCalls("", mark), 0);
    EXPECT_EQ(phone().timeline().size(), changesBefore + 1) << "only the host's own report";
    // A new entry makes the recorded values due again.
    launch(kMaps);
    advance(0.5);
    home(kMaps);
    advance(0.5);
    EXPECT_FLOAT_EQ(phone().volume(), 0.4f);
    EXPECT_FALSE(phone().isOn(Switch::Wifi));
}

TEST_F(LifecycleTest, TogglesScheduledAtEntryAreDroppedWhenTheAppLeftBeforeThey) {
    start({{"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}}}});
    install(kMaps);
    ASSERT_TRUE(phone().isOn(Switch::Wifi));
    launch(kMaps);
    advance(0.1);
    home(kMaps);
    advance(1.0);
    EXPECT_TRUE(phone().isOn(Switch::Wifi));
    EXPECT_EQ(countCalls("FSSwitchPanel setState:forSwitchIdentifier: 0"), 0)
        << "Wi-Fi was never turned off after the exit";
    EXPECT_TRUE(phone().timeline().matching("wifi on → off").empty());
}

TEST_F(LifecycleTest, AQuickReentryAppliesTheTogglesOfTheNewEntryOnly) {
    start({{"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}}}});
    install(kMaps);
    ASSERT_TRUE(phone().isOn(Switch::Wifi));
    launch(kMaps);
    advance(0.1);
    home(kMaps);
    advance(0.1);
    launch(kMaps);
    advance(1.0);
    EXPECT_EQ(countCalls("FSSwitchPanel setState:forSwitchIdentifier: 0 com.a3tweaks.switch.wifi"),
              1);
    EXPECT_FALSE(phone().isOn(Switch::Wifi));
}

TEST_F(LifecycleTest, SwitchingStraightBetweenTwoAppsCarriesOutTheFirstVolumeRequest) {
    start({{"com.example.maps-volume", 0.2f}, {"com.example.mail-volume", 0.9f}}, withVolume(0.7f));
    install(kMaps);
    auto mail = install(kMail);
    launch(kMaps);
    advance(0.5);
    home(kMaps);    // asks for 0.7
    launch(kMail);  // records 0.2 (still in force); its request is dropped
    EXPECT_DOUBLE_EQ(recordedVolume(mail), static_cast<double>(0.2f));
    advance(0.5);
    EXPECT_FLOAT_EQ(phone().volume(), 0.7f);
}

TEST_F(LifecycleTest, AFailureOnABrokenStateObjectDoesNotReachTheHost) {
    start({{"com.example.maps-volume", 0.2f}}, withVolume(0.7f));
    auto app = install(kMaps);
    // An application object where the state belongs: it answers no "taskState", so the
    // library's handling fails after the host's own has run.
    auto notAState = install("com.example.other");
    EXPECT_NO_THROW(
        rt::send<void>(app, rt::sel("_noteProcess:didChangeToState:"), notAState, notAState));
    const auto* application = rt::cast<springboard::SBApplication>(app.get());
    ASSERT_TRUE(application);
    EXPECT_EQ(application->currentState().get(), notAState.get()) << "the host took it in";
    EXPECT_FALSE(SharedState::lastForegroundAppBundleId()) << "no entry was handled";
    EXPECT_DOUBLE_EQ(recordedVolume(app), -1.0);
    advance(1.0);
    EXPECT_EQ(volumeSets(), 0);
    // The next well-formed report is handled as usual.
    launch(kMaps);
    advance(0.5);
    EXPECT_FLOAT_EQ(phone().volume(), 0.2f);
}

// --- Values the engine reads

TEST_F(LifecycleTest, AStoredMinusOneIsNoValueAndLeavesTheLevelAlone) {
    start({{"com.example.maps-volume", -1.0f}, {"com.example.maps-brightness", 0.3f}},
          withVolume(0.7f));
    auto app = install(kMaps);
    launch(kMaps);
    advance(1.0);
    EXPECT_DOUBLE_EQ(recordedVolume(app), -1.0) << "no volume recorded";
    EXPECT_FLOAT_EQ(phone().volume(), 0.7f) << "the phone is not silenced";
    EXPECT_EQ(volumeSets(), 0);
}

TEST_F(LifecycleTest, ACustomBrightnessOfZeroIsAppliedAndPutBack) {
    device::DeviceConfiguration configuration;
    configuration.brightness = 0.4;
    start({{"com.example.maps-brightness", 0.0f}}, configuration);
    auto app = install(kMaps);
    launch(kMaps);
    EXPECT_DOUBLE_EQ(rt::send<double>(app, rt::sel("brightnessBeforeOpening")), 0.4);
    advance(1.0);
    EXPECT_EQ(phone().brightness(), 0.0);
    home(kMaps);
    advance(1.0);
    EXPECT_NEAR(phone().brightness(), 0.4, 0.011);
}

TEST_F(LifecycleTest, DoNotDisturbIsReadThroughTheSwitchPanel) {
    // The native helper's read always answers off; the catalogue reads the switch panel.
    device::DeviceConfiguration configuration;
    configuration.setInitialState(Switch::Dnd, device::SwitchState::On);
    start({{"com.example.maps-toggles", core::PlistDictionary{{"dnd", 0}}}}, configuration);
    auto app = install(kMaps);
    launch(kMaps);
    EXPECT_EQ(
        countCalls("FSSwitchPanel stateForSwitchIdentifier: com.a3tweaks.switch.do-not-disturb"),
        1);
    EXPECT_EQ(rt::send<long long>(app, rt::sel("dndBeforeOpening")), 1);
    advance(0.5);
    EXPECT_FALSE(phone().isOn(Switch::Dnd));
    home(kMaps);
    EXPECT_TRUE(phone().isOn(Switch::Dnd)) << "put back as recorded";
}

TEST_F(LifecycleTest, AnEntryReadsNoToggleTheAppDoesNotCustomise) {
    start({{"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}}}});
    install(kMaps);
    const std::size_t mark = callMark();
    launch(kMaps);
    const auto reads = callsStartingWith("FSSwitchPanel stateForSwitchIdentifier:", mark);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].text(), "FSSwitchPanel stateForSwitchIdentifier: com.a3tweaks.switch.wifi");
    EXPECT_EQ(countCalls("FSSwitchPanel", mark), countCalls("", mark))
        << "no native service was asked:\n"
        << phone().calls().format();
}

TEST_F(LifecycleTest, WithEveryRestoreSettingOffAnExitPutsNothingBack) {
    core::PlistDictionary values{{"com.example.maps-brightness", 0.9f},
                                 {"restorePreviousBrightnessOnAppExit", false}};
    core::PlistDictionary toggles;
    device::DeviceConfiguration configuration;
    configuration.brightness = 0.2;
    for (const ToggleDefinition& toggle : ToggleCatalogue::toggles()) {
        toggles.set(std::string(toggle.name), 0);
        values.set(std::string(SettingsTable::definitionOf(toggle.restoreSetting).key), false);
        configuration.setInitialState(*device::switchNamed(toggle.name), device::SwitchState::On);
    }
    values.set("com.example.maps-toggles", std::move(toggles));
    start(values, configuration);
    install(kMaps);
    launch(kMaps);
    advance(2.0);
    for (const ToggleDefinition& toggle : ToggleCatalogue::toggles())
        ASSERT_FALSE(phone().isOn(*device::switchNamed(toggle.name))) << toggle.name;
    const std::size_t mark = callMark();
    const std::size_t changes = phone().timeline().size();
    home(kMaps);
    advance(2.0);
    EXPECT_EQ(countCalls("SBBrightnessController", mark), 0);
    EXPECT_EQ(countCalls("FSSwitchPanel setState:", mark), 0);
    EXPECT_EQ(countCalls("BluetoothManager setEnabled:", mark), 0);
    EXPECT_EQ(phone().timeline().size(), changes + 1) << "only the host's own report:\n"
                                                      << phone().timeline().format();
    EXPECT_NEAR(phone().brightness(), 0.9, 0.011);
}
