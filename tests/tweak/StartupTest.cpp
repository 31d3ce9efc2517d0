#include <gtest/gtest.h>

#include <set>
#include <string>

#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "rt/Runtime.h"
#include "springboard/HomeScreen.h"
#include "springboard/SBApplication.h"
#include "support/TweakWorld.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/startup/HookTable.h"
#include "tweak/startup/Settings.h"
#include "tweak/startup/SettingsTable.h"
#include "tweak/startup/Startup.h"
#include "tweak/store/CustomValuesStore.h"
#include "ui/Rect.h"

using namespace morvane;
using springboard::HomeScreen;

namespace {

constexpr const char* kMaps = "com.example.maps";

class StartupTest : public tweak_testing::TweakTest {};

ui::Rect hostContentFrame(rt::Object*, rt::Selector) {
    return ui::Rect(1, 2, 3, 4);
}

bool applicationHasRecord() {
    return rt::classRespondsToSelector(rt::lookUpClass("SBApplication"),
                                       rt::sel("volumeBeforeOpening"));
}

}  // namespace

TEST(SettingsTable, HoldsThe35SettingsOnceEachWithTheirDefaults) {
    std::set<std::string_view> keys;
    int onByDefault = 0;
    for (const SettingDefinition& definition : SettingsTable::definitions()) {
        keys.insert(definition.key);
        onByDefault += definition.defaultValue ? 1 : 0;
    }
    EXPECT_EQ(keys.size(), 35u);
    EXPECT_EQ(SettingsTable::definitions().front().key, "enabled");
    EXPECT_EQ(SettingsTable::definitions().back().key, "brightnessAnimated");
    // Off by default: the count subtitle, items first, six toggles and the brightness overlay.
    EXPECT_EQ(onByDefault, 35 - 9);
    EXPECT_EQ(SettingsTable::definitionOf(Setting::showDndToggle).key, "showDndToggle");
    EXPECT_EQ(SettingsTable::definitionOf(Setting::restorePreviousVPNOnAppExit).key,
              "restorePreviousVPNOnAppExit");
}

TEST_F(StartupTest, ReplacesTenHostMethodsAndAddsFiftyAsTheRuntimeAnswersAfterwards) {
    startLibrary();
    const InstallReport& report = installReport();
    EXPECT_EQ(report.replaced, 10);
    EXPECT_EQ(report.added, 50);
    EXPECT_EQ(report.addedByClass.at("SBUIAppIconForceTouchShortcutViewController"), 7);
    EXPECT_EQ(report.addedByClass.at("SBUIActionView"), 13);
    EXPECT_EQ(report.addedByClass.at("SBApplication"), 30);
    // The menu's rows come first, the application's record last.
    EXPECT_STREQ(HookTable::rows().front().className,
                 "SBUIAppIconForceTouchControllerDataProvider");
    EXPECT_STREQ(HookTable::rows().back().className, "SBApplication");
}

// A host whose row already has a method of one of those names keeps it: the report counts
// what the runtime shows changed, not what the table lists.
TEST_F(StartupTest, AMethodTheHostAlreadyHasIsNeitherAddedNorCounted) {
    startLibrary({}, "SpringBoard", [] {
        rt::addMethods(rt::lookUpClass("SBUIActionView"),
                       {rt::bind<&hostContentFrame>("getContentFrame")});
    });
    EXPECT_EQ(installReport().added, 49);
    EXPECT_EQ(installReport().addedByClass.at("SBUIActionView"), 12);
    EXPECT_EQ(installReport().replaced, 10);
}

TEST_F(StartupTest, OutsideTheHomeScreenHostNothingIsRegisteredOrInstalled) {
    startLibrary({}, "Preferences");
    EXPECT_FALSE(isMorvaneActive());
    EXPECT_FALSE(applicationHasRecord());
    EXPECT_EQ(installReport().added + installReport().replaced, 0);
    EXPECT_FALSE(Settings::isOn(Setting::enabled)) << "no settings were registered";
}

TEST_F(StartupTest, WithNoStoredSettingsEveryFlagHoldsItsDefault) {
    startLibrary();
    ASSERT_TRUE(isMorvaneActive());
    for (const SettingDefinition& definition : SettingsTable::definitions()) {
        EXPECT_EQ(Settings::isOn(definition.setting), definition.defaultValue) << definition.key;
    }
    std::set<std::string_view> offered;
    for (const ToggleDefinition& toggle : ToggleCatalogue::toggles()) {
        if (Settings::isOn(toggle.showSetting)) offered.insert(toggle.name);
        EXPECT_TRUE(Settings::isOn(toggle.restoreSetting)) << toggle.name;
    }
    EXPECT_EQ(offered, (std::set<std::string_view>{"orientationLock", "bluetooth", "cellular",
                                                   "wifi", "airplane", "autoBrightness"}));
}

TEST_F(StartupTest, InstallsTheApplicationRecordAndReplacementsWhenEnabled) {
    startLibrary();
    EXPECT_TRUE(applicationHasRecord());
    auto app = HomeScreen::installApp(kMaps);
    EXPECT_DOUBLE_EQ(rt::send<double>(app, rt::sel("volumeBeforeOpening")), -1.0);
    EXPECT_DOUBLE_EQ(rt::send<double>(app, rt::sel("brightnessBeforeOpening")), -1.0);
    for (const ToggleDefinition& toggle : ToggleCatalogue::toggles()) {
        EXPECT_EQ(rt::send<long long>(app, rt::sel(toggle.recordProperty)), -1)
            << toggle.recordProperty;
    }
}

TEST_F(StartupTest, StoredSettingsOverrideTheDefaults) {
    writeValuesFile({{"showVolumeHUD", false}, {"showDndToggle", true}});
    startLibrary();
    EXPECT_FALSE(Settings::isOn(Setting::showVolumeHUD));
    EXPECT_TRUE(Settings::isOn(Setting::showDndToggle));
}

TEST_F(StartupTest, DisabledAtStartUpInstallsNothingAndIgnoresReloads) {
    writeValuesFile({{"enabled", false}, {"com.example.maps-volume", 0.2f}});
    startLibrary();
    EXPECT_FALSE(isMorvaneActive());
    EXPECT_FALSE(applicationHasRecord());
    HomeScreen::installApp(kMaps);
    HomeScreen::reportState(kMaps, 2, 2);
    advance(1.0);
    EXPECT_EQ(phone().calls().countFor("SBMediaController"), 0u);
    EXPECT_FLOAT_EQ(phone().volume(), 0.5f);

    // Turning it on while the host runs changes nothing until the host restarts.
    writeValuesFile({{"enabled", true}, {"com.example.maps-volume", 0.2f}});
    postReloadAndWait();
    EXPECT_TRUE(Settings::isOn(Setting::enabled));
    EXPECT_FALSE(applicationHasRecord());
}

TEST_F(StartupTest, TurningEnabledOffWhileRunningLeavesTheHooksActive) {
    writeValuesFile({{"com.example.maps-volume", 0.2f}});
    startLibrary();
    writeValuesFile({{"enabled", false}, {"com.example.maps-volume", 0.2f}});
    postReloadAndWait();
    HomeScreen::installApp(kMaps);
    HomeScreen::reportState(kMaps, 2, 2);
    advance(0.5);
    EXPECT_FLOAT_EQ(phone().volume(), 0.2f);
}

TEST_F(StartupTest, StartingTwiceDoesNotHookTwice) {
    startLibrary();
    morvaneStartup();
    writeValuesFile({{"com.example.maps-volume", 0.2f}});
    HomeScreen::installApp(kMaps);
    HomeScreen::reportState(kMaps, 2, 2);
    // One entry: the volume in force is recorded once, and the host took the report in.
    EXPECT_EQ(countCalls("SBMediaController volume"), 1);
    const auto* application =
        rt::cast<springboard::SBApplication>(HomeScreen::application(kMaps).get());
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(rt::send<long long>(application->currentState(), rt::sel("taskState")), 2);
    advance(0.5);
    EXPECT_EQ(countCalls("SBMediaController setVolume:"), 1);
    EXPECT_FLOAT_EQ(phone().volume(), 0.2f);
}

TEST_F(StartupTest, AHostWithoutTheApplicationClassStartsWithoutIt) {
    device::DeviceConfiguration withoutApplications;
    withoutApplications.leftOutClasses = {"SBApplication"};
    startLibrary(withoutApplications);
    ASSERT_EQ(rt::lookUpClass("SBApplication"), nullptr);
    EXPECT_TRUE(isMorvaneActive());
}

TEST_F(StartupTest, ReloadDropsTheCacheAndTheNextReadSeesTheFile) {
    writeValuesFile({{"com.example.maps-volume", 0.2f}});
    startLibrary();
    EXPECT_DOUBLE_EQ(CustomValuesStore::getCustomVolumeForApp("com.example.maps"),
                     static_cast<double>(0.2f));
    writeValuesFile({{"com.example.maps-volume", 0.7f}});
    EXPECT_DOUBLE_EQ(CustomValuesStore::getCustomVolumeForApp("com.example.maps"),
                     static_cast<double>(0.2f))
        << "the file is read once per reload";
    postReloadAndWait();
    EXPECT_DOUBLE_EQ(CustomValuesStore::getCustomVolumeForApp("com.example.maps"),
                     static_cast<double>(0.7f));
    postReloadAndWait();
    EXPECT_DOUBLE_EQ(CustomValuesStore::getCustomVolumeForApp("com.example.maps"),
                     static_cast<double>(0.7f));
}

TEST_F(StartupTest, ResetPutsTheLibraryBackToLoadTimeState) {
    writeValuesFile({{"com.example.maps-volume", 0.2f}});
    startLibrary();
    EXPECT_DOUBLE_EQ(CustomValuesStore::getCustomVolumeForApp("com.example.maps"),
                     static_cast<double>(0.2f));
    resetForTesting();
    EXPECT_FALSE(isMorvaneActive());
    EXPECT_FALSE(Settings::isOn(Setting::showVolumeHUD));
    writeValuesFile({});
    EXPECT_DOUBLE_EQ(CustomValuesStore::getCustomVolumeForApp("com.example.maps"), -1.0)
        << "cache dropped";
}
