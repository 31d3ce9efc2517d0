#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <vector>

#include "core/dispatch/RunLoop.h"
#include "core/notify/NotifyCenter.h"
#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistWriter.h"
#include "core/preferences/AppPreferences.h"
#include "core/preferences/HBPreferences.h"
#include "core/preferences/PreferenceFile.h"
#include "core/preferences/PreferenceFileUpdate.h"
#include "support/DeviceWorld.h"
#include "support/Subprocess.h"

using core::PlistDictionary;
using core::PlistValue;
using core::PreferenceFile;

namespace {

const std::string kDomain = "com.kelvrin.morvane";

void store(const std::string& domain, PlistDictionary values) {
    ASSERT_TRUE(PreferenceFile::write(domain, values));
}

}  // namespace

TEST(HBPreferences, FlagsTakeStoredValuesOrDefaultsAtOnce) {
    testing_support::DeviceWorld world;
    PlistDictionary stored;
    stored.set("enabled", PlistValue(false));
    stored.set("showVolumeHUD", PlistValue(0));  // numbers count too
    stored.set("restorePreviousVpnOnAppExit", PlistValue("YES"));
    stored.set("showWifiToggle", PlistValue(PlistDictionary{}));  // not a boolean
    store(kDomain, stored);

    core::HBPreferences preferences(kDomain);
    std::atomic<bool> enabled{true}, hud{true}, vpn{false}, wifi{false}, absent{false};
    preferences.registerBool(&enabled, true, "enabled");
    preferences.registerBool(&hud, true, "showVolumeHUD");
    preferences.registerBool(&vpn, false, "restorePreviousVpnOnAppExit");
    preferences.registerBool(&wifi, true, "showWifiToggle");
    preferences.registerBool(&absent, true, "brightnessAnimated");
    EXPECT_FALSE(enabled);
    EXPECT_FALSE(hud);
    EXPECT_TRUE(vpn);
    EXPECT_TRUE(wifi);
    EXPECT_TRUE(absent);
}

TEST(HBPreferences, MissingOrCorruptFileGivesDefaults) {
    testing_support::DeviceWorld world;
    std::atomic<bool> flag{false};
    {
        core::HBPreferences preferences(kDomain);
        preferences.registerBool(&flag, true, "enabled");
        EXPECT_TRUE(flag);
    }
    const auto path = core::DeviceRoot::mapForWriting(PreferenceFile::devicePathFor(kDomain));
    ASSERT_TRUE(path);
    {
        std::FILE* f = std::fopen(path->c_str(), "w");
        std::fputs("<plist><dict><key>enabled", f);
        std::fclose(f);
    }
    flag = false;
    core::HBPreferences preferences(kDomain);
    preferences.registerBool(&flag, true, "enabled");
    EXPECT_TRUE(flag);
}

TEST(HBPreferences, FollowsTheFileWhenTheReloadNotificationArrives) {
    testing_support::DeviceWorld world;
    core::HBPreferences preferences(kDomain);
    std::atomic<bool> hud{true};
    preferences.registerBool(&hud, true, "showVolumeHUD");

    PlistDictionary stored;
    stored.set("showVolumeHUD", PlistValue(false));
    store(kDomain, stored);
    core::RunLoop::main().pollSources(0.02);
    EXPECT_TRUE(hud) << "a saved file alone is not a reload";

    bool otherObserverCalled = false;
    core::NotifyCenter::darwin().addObserver(
        kDomain + "/ReloadPrefs", [&](const std::string&) { otherObserverCalled = true; });
    core::NotifyCenter::post(kDomain + "/ReloadPrefs");
    EXPECT_TRUE(core::RunLoop::main().runUntil([&] { return otherObserverCalled; }, 5));
    EXPECT_FALSE(hud);
}

TEST(HBPreferences, AnotherProcessChangesAFlag) {
    testing_support::DeviceWorld world(core::ClockMode::Real);
    core::HBPreferences preferences(kDomain);
    std::atomic<bool> animated{true};
    preferences.registerBool(&animated, true, "brightnessAnimated");
    ASSERT_EQ(testing_support::run(std::string(NOTIFY_TOOL) + " --root " +
                                   testing_support::shellQuote(world.root()) + " set-bool " +
                                   kDomain + " brightnessAnimated off"),
              0);
    EXPECT_TRUE(core::RunLoop::main().runUntil([&] { return !animated; }, 5));
}

TEST(AppPreferences, SetIsSeenAtOnceAndReachesTheFileOnSynchronize) {
    testing_support::DeviceWorld world;
    const std::string domain = "com.apple.backboardd";
    bool valid = true;
    EXPECT_FALSE(core::CFPreferencesGetAppBooleanValue("BKEnableALS", domain, &valid));
    EXPECT_FALSE(valid);

    core::CFPreferencesSetAppValue("BKEnableALS", PlistValue(true), domain);
    EXPECT_TRUE(core::CFPreferencesGetAppBooleanValue("BKEnableALS", domain, &valid));
    EXPECT_TRUE(valid);
    EXPECT_FALSE(PreferenceFile::read(domain)) << "not written before synchronize";

    ASSERT_TRUE(core::CFPreferencesAppSynchronize(domain));
    const auto stored = PreferenceFile::read(domain);
    ASSERT_TRUE(stored);
    ASSERT_NE(stored->find("BKEnableALS"), nullptr);
    EXPECT_EQ(*stored->find("BKEnableALS"), PlistValue(true));
}

TEST(AppPreferences, SynchronizeKeepsOtherKeysAndAppliesRemovals) {
    testing_support::DeviceWorld world;
    const std::string domain = "com.apple.backboardd";
    PlistDictionary stored;
    stored.set("BKEnableALS", PlistValue(true));
    stored.set("Other", PlistValue(7));
    store(domain, stored);

    core::CFPreferencesSetAppValue("BKEnableALS", std::nullopt, domain);
    EXPECT_FALSE(core::CFPreferencesCopyAppValue("BKEnableALS", domain));
    ASSERT_TRUE(core::CFPreferencesAppSynchronize(domain));
    const auto after = PreferenceFile::read(domain);
    ASSERT_TRUE(after);
    EXPECT_FALSE(after->contains("BKEnableALS"));
    ASSERT_NE(after->find("Other"), nullptr);
    EXPECT_EQ(*after->find("Other"), PlistValue(7));
}

TEST(AppPreferences, AFailedSynchronizeLosesNothing) {
    testing_support::DeviceWorld world;
    const std::string domain = "com.apple.backboardd";
    // A directory where the file should be, which cannot be kept aside because every name
    // for it is taken, makes the write fail.
    const auto path = core::DeviceRoot::mapForWriting(PreferenceFile::devicePathFor(domain));
    ASSERT_TRUE(path);
    std::filesystem::create_directory(*path);
    std::ofstream(path->string() + ".unreadable") << "taken";
    for (int suffix = 2; suffix <= core::PreferenceFileUpdate::kMostUnreadableCopies; ++suffix)
        std::ofstream(path->string() + ".unreadable-" + std::to_string(suffix)) << "taken";
    core::CFPreferencesSetAppValue("BKEnableALS", PlistValue(false), domain);
    EXPECT_FALSE(core::CFPreferencesAppSynchronize(domain));
    bool valid = false;
    EXPECT_FALSE(core::CFPreferencesGetAppBooleanValue("BKEnableALS", domain, &valid));
    EXPECT_TRUE(valid) << "the pending value is still there";
    std::filesystem::remove(*path);
    EXPECT_TRUE(core::CFPreferencesAppSynchronize(domain));
    EXPECT_TRUE(PreferenceFile::read(domain));
}

TEST(AppPreferences, AnUnreadableFileIsKeptAsideAndTheChangeGoesOntoAnEmptyDomain) {
    testing_support::DeviceWorld world;
    const std::string domain = "com.apple.backboardd";
    const auto path = core::DeviceRoot::mapForWriting(PreferenceFile::devicePathFor(domain));
    ASSERT_TRUE(path);
    std::ofstream(*path) << "garbage that is no property list";
    core::CFPreferencesSetAppValue("BKEnableALS", PlistValue(true), domain);
    ASSERT_TRUE(core::CFPreferencesAppSynchronize(domain));
    std::ifstream kept(path->string() + ".unreadable");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}),
              "garbage that is no property list");
    EXPECT_EQ(PreferenceFile::read(domain)->size(), 1u);
}

TEST(AppPreferences, SynchronizeAppliesTheChangesToWhatAnotherWriterSavedMeanwhile) {
    testing_support::DeviceWorld world;
    const std::string domain = "com.apple.backboardd";
    core::CFPreferencesSetAppValue("BKEnableALS", PlistValue(true), domain);
    // Another process saves the domain between the set and the synchronize.
    ASSERT_TRUE(PreferenceFile::write(domain, PlistDictionary{{"Other", PlistValue(1)}}));
    ASSERT_TRUE(core::CFPreferencesAppSynchronize(domain));
    const auto stored = PreferenceFile::read(domain);
    ASSERT_TRUE(stored);
    EXPECT_TRUE(stored->contains("Other"));
    EXPECT_TRUE(stored->contains("BKEnableALS"));
}

TEST(AppPreferences, DomainsCannotNameFilesOutsideThePreferencesFolder) {
    testing_support::DeviceWorld world;
    const auto plistFiles = [&] {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(world.root()))
            if (entry.path().extension() == ".plist") found.push_back(entry.path().string());
        return found;
    };
    const std::vector<std::string> domains = {
        "../../../escape", "../escape", "..", "a/b", "x..y", std::string("com.x\0y", 7), ""};
    for (const std::string& domain : domains) {
        core::CFPreferencesSetAppValue("k", PlistValue(true), domain);
        EXPECT_FALSE(core::CFPreferencesAppSynchronize(domain)) << domain;
        EXPECT_FALSE(core::PreferenceFile::write(domain, PlistDictionary{})) << domain;
        EXPECT_FALSE(core::PreferenceFile::read(domain)) << domain;
        EXPECT_TRUE(plistFiles().empty()) << domain << " wrote " << plistFiles().front();
    }
    EXPECT_TRUE(core::PreferenceFile::write("com.example.fine", PlistDictionary{}));
    EXPECT_EQ(plistFiles().size(), 1u);
}

TEST(HBPreferences, BoundFlagsShowWhatTheLiveSettingsObjectsHold) {
    testing_support::DeviceWorld world;
    std::atomic<bool> enabled{false}, hud{false};
    {
        core::HBPreferences preferences(kDomain);
        preferences.registerBool(&enabled, true, "enabled");
        preferences.registerBool(&hud, false, "showBrightnessHUD");
        const auto flags = core::HBPreferences::boundFlags(kDomain);
        ASSERT_EQ(flags.size(), 2u);
        EXPECT_EQ(flags[0], (std::pair<std::string, bool>{"enabled", true}));
        EXPECT_EQ(flags[1], (std::pair<std::string, bool>{"showBrightnessHUD", false}));
        EXPECT_TRUE(core::HBPreferences::boundFlags("other.domain").empty());
    }
    EXPECT_TRUE(core::HBPreferences::boundFlags(kDomain).empty())
        << "a destroyed settings object is forgotten";
}
