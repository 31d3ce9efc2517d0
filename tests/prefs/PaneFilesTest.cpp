#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "core/dispatch/Clock.h"
#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistReader.h"
#include "core/preferences/PreferenceFile.h"
#include "foundation/BoxedString.h"
#include "foundation/Number.h"
#include "prefs/MVPrefsListController.h"
#include "prefs/MVSubPrefsListController.h"
#include "prefs/PaneClasses.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "settings/SettingsApp.h"
#include "settings/SpecifierFile.h"
#include "tweak/startup/SettingsTable.h"
#include "ui/NavigationController.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kBundle = "/Library/PreferenceBundles/MorvanePrefs.bundle";

// Every specifier file of the pane, root first, as the framework reads them.
std::vector<rt::Ref<settings::PSSpecifier>> allRows(const fs::path& root) {
    core::DeviceRoot::set(root);
    fs::create_directories(root / "Library/PreferenceBundles");
    fs::copy(PANE_BUNDLE_SOURCE, root / "Library/PreferenceBundles/MorvanePrefs.bundle",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    std::vector<rt::Ref<settings::PSSpecifier>> rows;
    const auto prefs =
        settings::SpecifierFile::load(std::string(kBundle) + "/Prefs.plist", nullptr);
    EXPECT_TRUE(prefs);
    if (!prefs) return rows;
    for (const auto& row : prefs->specifiers) {
        rows.push_back(row);
        const std::string page = row->stringProperty("MVSubPrefs");
        if (page.empty()) continue;
        EXPECT_EQ(row->detailControllerClassName(), "MVSubPrefsListController");
        const auto sub =
            settings::SpecifierFile::load(std::string(kBundle) + "/" + page + ".plist", nullptr);
        EXPECT_TRUE(sub) << page;
        if (sub) rows.insert(rows.end(), sub->specifiers.begin(), sub->specifiers.end());
    }
    return rows;
}

class PaneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/morvane-pane-XXXXXX";
        ASSERT_TRUE(::mkdtemp(pattern));
        root = pattern;
        core::Clock::boot(core::ClockMode::Virtual);
        settings::SettingsApp::bootWorld();
        morvane::prefs::registerPaneClasses();
        rows = allRows(root);
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path root;
    std::vector<rt::Ref<settings::PSSpecifier>> rows;
};

TEST_F(PaneTest, EverySettingAppearsOnceWithTheTweaksDefaultDomainAndNotification) {
    std::map<std::string, int> seen;
    for (const auto& row : rows) {
        const std::string key = row->stringProperty("key");
        if (key.empty()) continue;
        ++seen[key];
        EXPECT_EQ(row->cellType(), settings::PSCellType::Switch) << key;
        EXPECT_EQ(row->stringProperty("defaults"), "com.kelvrin.morvane") << key;
        EXPECT_EQ(row->stringProperty("PostNotification"), "com.kelvrin.morvane/ReloadPrefs")
            << key;
        EXPECT_FALSE(row->name().empty()) << key;
    }
    ASSERT_EQ(seen.size(), morvane::SettingsTable::definitions().size());
    for (const auto& definition : morvane::SettingsTable::definitions()) {
        const std::string key(definition.key);
        EXPECT_EQ(seen[key], 1) << key;
        for (const auto& row : rows) {
            if (row->stringProperty("key") != key) continue;
            const auto fallback = row->property("default");
            ASSERT_TRUE(fallback && fallback->asBool()) << key;
            EXPECT_EQ(*fallback->asBool(), definition.defaultValue) << key;
        }
    }
}

TEST_F(PaneTest, SubPageReadsAFalseOverADefaultTrueAndTextAsTheHomeScreenDoes) {
    core::PlistDictionary values;
    values.set("showWifiToggle", core::PlistValue(false));
    values.set("showBluetoothToggle", core::PlistValue("no"));
    values.set("com.example.maps-volume", core::PlistValue(0.25f));
    ASSERT_TRUE(core::PreferenceFile::write("com.kelvrin.morvane", values));

    auto page = rt::make<morvane::prefs::MVSubPrefsListController>();
    page->setBundlePath(kBundle);
    auto link = rt::make<settings::PSSpecifier>("Toggles offered", settings::PSCellType::Link,
                                                core::PlistDictionary{});
    link->setProperty("MVSubPrefs", core::PlistValue("Toggles"));
    rt::send<void>(page, rt::sel("setSpecifier:"), link);
    EXPECT_EQ(page->titleLabel()->text(), "Toggles offered");

    const auto read = [&](const char* key) {
        return rt::cast<rt::Number>(page->readPreferenceValue(page->specifierForKey(key).get()));
    };
    ASSERT_TRUE(read("showWifiToggle"));
    EXPECT_FALSE(read("showWifiToggle")->boolValue());
    ASSERT_TRUE(read("showBluetoothToggle"));
    EXPECT_FALSE(read("showBluetoothToggle")->boolValue());  // "no" is off, as the home screen reads it
    // An absent key reads as its row's default, a false default too.
    const auto dndDefault = page->specifierForKey("showDndToggle")->property("default");
    ASSERT_TRUE(dndDefault);
    ASSERT_EQ(dndDefault->asBool(), false);
    ASSERT_TRUE(read("showDndToggle"));
    EXPECT_FALSE(read("showDndToggle")->boolValue());

    // A change keeps every other key of the file, the app's values included.
    rt::send<void>(page, rt::sel("setPreferenceValue:specifier:"), rt::make<rt::Number>(true),
                   page->specifierForKey("showVpnToggle"));
    const auto after = core::PreferenceFile::read("com.kelvrin.morvane");
    ASSERT_TRUE(after);
    EXPECT_TRUE(after->find("com.example.maps-volume"));
    EXPECT_TRUE(after->find("showBluetoothToggle"));
    ASSERT_TRUE(after->find("showVpnToggle"));
    EXPECT_EQ(after->find("showVpnToggle")->asBool(), true);
    for (long long section : {0LL, 1LL, 7LL})
        EXPECT_EQ(page->heightForHeaderInSection(nullptr, section), 45.0);
}

TEST_F(PaneTest, TheRootPageShowsRespringAfterAChangeOfEnabledOnlyAndKeepsIt) {
    auto page = rt::make<morvane::prefs::MVPrefsListController>();
    page->setBundlePath(kBundle);
    page->view();
    const auto item = settings::NavigationController::navigationItemOf(page.get());
    const auto change = [&](const char* key, bool on) {
        core::PlistDictionary properties;
        properties.set("key", core::PlistValue(key));
        properties.set("defaults", core::PlistValue("com.kelvrin.morvane"));
        auto row = rt::make<settings::PSSpecifier>(key, settings::PSCellType::Switch, properties);
        rt::send<void>(page, rt::sel("setPreferenceValue:specifier:"), rt::make<rt::Number>(on),
                       row);
    };
    change("showVolumeHUD", false);
    EXPECT_FALSE(item->rightBarButtonItem()) << "a change of another key shows no button";
    change("enabled", false);
    ASSERT_TRUE(item->rightBarButtonItem());
    EXPECT_EQ(item->rightBarButtonItem(), page->respringButton());
    change("enabled", true);  // turned back: the button stays
    change("showVolumeHUD", true);
    EXPECT_EQ(item->rightBarButtonItem(), page->respringButton());
}

}  // namespace
