// The pane shows what the home screen acts on: settings read with the home screen's rule,
// failed writes shown as failed, a page that rests under the bars and settles after a drag.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/dispatch/Clock.h"
#include "core/dispatch/RunLoop.h"
#include "core/notify/NotifyCenter.h"
#include "core/paths/DeviceRoot.h"
#include "core/preferences/HBPreferences.h"
#include "core/preferences/PreferenceFile.h"
#include "prefs/MVPrefsListController.h"
#include "prefs/MVSubPrefsListController.h"
#include "prefs/PaneClasses.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "settings/PSTableCell.h"
#include "settings/SettingsApp.h"
#include "tweak/startup/SettingsTable.h"
#include "ui/AlertController.h"
#include "ui/ControlEvents.h"
#include "ui/NavigationController.h"
#include "ui/Switch.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kBundle = "/Library/PreferenceBundles/MorvanePrefs.bundle";
constexpr const char* kDomain = "com.kelvrin.morvane";
constexpr const char* kReload = "com.kelvrin.morvane/ReloadPrefs";

class PaneShowsTheFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/morvane-pane-file-XXXXXX";
        ASSERT_TRUE(::mkdtemp(pattern));
        root = pattern;
        core::Clock::boot(core::ClockMode::Virtual);
        settings::SettingsApp::bootWorld();
        morvane::prefs::registerPaneClasses();
        core::DeviceRoot::set(root);
        fs::create_directories(root / "Library/PreferenceBundles");
        fs::copy(PANE_BUNDLE_SOURCE, root / "Library/PreferenceBundles/MorvanePrefs.bundle",
                 fs::copy_options::recursive);
        fs::create_directories(root / "var/mobile/Library/Preferences");
        ::setenv("MORVANE_PREFERENCE_LOCK_WAIT_MS", "30", 1);
        reloads = 0;
        core::NotifyCenter::darwin().addObserver(kReload,
                                                 [this](const std::string&) { ++reloads; });
    }
    void TearDown() override {
        ::unsetenv("MORVANE_PREFERENCE_LOCK_WAIT_MS");
        fs::remove_all(root);
    }

    fs::path settingsFile() const {
        return root / "var/mobile/Library/Preferences/com.kelvrin.morvane.plist";
    }

    rt::Ref<morvane::prefs::MVPrefsListController> openRootPage() {
        auto page = rt::make<morvane::prefs::MVPrefsListController>();
        page->setBundlePath(kBundle);
        page->view();
        page->table()->reloadData();
        return page;
    }

    rt::Ref<morvane::prefs::MVSubPrefsListController> openSubPage(const char* file) {
        auto page = rt::make<morvane::prefs::MVSubPrefsListController>();
        page->setBundlePath(kBundle);
        auto link = rt::make<settings::PSSpecifier>(file, settings::PSCellType::Link,
                                                    core::PlistDictionary{});
        link->setProperty("MVSubPrefs", core::PlistValue(file));
        rt::send<void>(page, rt::sel("setSpecifier:"), link);
        page->view();
        page->table()->reloadData();
        return page;
    }

    // The switch a person sees on the row of `key`.
    static ui::Switch* switchOf(settings::PSListController& page, const std::string& key) {
        const auto row = page.specifierForKey(key);
        if (!row) return nullptr;
        const auto cell =
            page.table()->cellForRowAtIndexPath(page.indexPathForSpecifier(row.get()).get());
        auto* controlCell = dynamic_cast<settings::PSControlTableCell*>(cell.get());
        return controlCell ? dynamic_cast<ui::Switch*>(controlCell->control().get()) : nullptr;
    }

    // A finger flips the switch of `key`.
    static void flip(settings::PSListController& page, const std::string& key) {
        ui::Switch* control = switchOf(page, key);
        ASSERT_TRUE(control) << key;
        control->setOn(!control->isOn());
        control->sendActionsForControlEvents(ui::ControlEvents::kValueChanged);
    }

    int deliveredReloads() {
        core::RunLoop::main().pollSources(0.05);
        return reloads;
    }

    static std::string alertText(settings::PSListController& page) {
        const auto alert = rt::cast<ui::AlertController>(page.presentedViewController());
        return alert ? alert->text() : std::string();
    }

    fs::path root;
    int reloads = 0;
};

// Every key written as text, as numbers and as other kinds: the switch the pane shows is the
// flag the home screen's settings object holds.
TEST_F(PaneShowsTheFileTest, EverySwitchShowsWhatTheHomeScreenReads) {
    const std::vector<core::PlistValue> kinds = {
        core::PlistValue("no"),  core::PlistValue("NO"), core::PlistValue("yes"),
        core::PlistValue("YES"), core::PlistValue(""),   core::PlistValue("0"),
        core::PlistValue("7"),   core::PlistValue(0.0),  core::PlistValue(0.5),
        core::PlistValue(false), core::PlistValue(true), core::PlistValue(core::PlistDictionary{}),
    };
    for (const auto& stored : kinds) {
        core::PlistDictionary values;
        for (const auto& definition : morvane::SettingsTable::definitions())
            values.set(std::string(definition.key), stored);
        ASSERT_TRUE(core::PreferenceFile::write(kDomain, values));
        core::HBPreferences homeScreen(kDomain);

        auto rootPage = openRootPage();
        std::vector<rt::Ref<settings::PSListController>> pages = {rootPage};
        for (const char* file : {"MenuEntries", "Toggles", "Restore", "Display"})
            pages.push_back(openSubPage(file));
        int seen = 0;
        for (const auto& definition : morvane::SettingsTable::definitions()) {
            const std::string key(definition.key);
            for (const auto& page : pages) {
                ui::Switch* shown = switchOf(*page, key);
                if (!shown) continue;
                ++seen;
                EXPECT_EQ(shown->isOn(), homeScreen.boolForKey(key, definition.defaultValue))
                    << key << " stored as kind " << static_cast<int>(stored.kind());
            }
        }
        EXPECT_EQ(seen, static_cast<int>(morvane::SettingsTable::definitions().size()));
    }
}

TEST_F(PaneShowsTheFileTest, TurningOnASettingStoredAsNoWritesOn) {
    core::PlistDictionary values;
    values.set("showVolumeHUD", core::PlistValue("NO"));
    values.set("enabled", core::PlistValue("no"));
    ASSERT_TRUE(core::PreferenceFile::write(kDomain, values));
    auto page = openSubPage("Display");
    ASSERT_TRUE(switchOf(*page, "showVolumeHUD"));
    EXPECT_FALSE(switchOf(*page, "showVolumeHUD")->isOn());
    flip(*page, "showVolumeHUD");
    const auto after = core::PreferenceFile::read(kDomain);
    ASSERT_TRUE(after && after->find("showVolumeHUD"));
    EXPECT_EQ(after->find("showVolumeHUD")->asBool(), true);
    EXPECT_TRUE(core::HBPreferences(kDomain).boolForKey("showVolumeHUD", false));
    EXPECT_EQ(deliveredReloads(), 1);

    auto rootPage = openRootPage();
    ASSERT_TRUE(switchOf(*rootPage, "enabled"));
    EXPECT_FALSE(switchOf(*rootPage, "enabled")->isOn());
}

// Another process holds the file's lock past the wait: the switch goes back to what the file
// holds, nothing is posted, no restart is offered, an alert says why, and a page opened later
// shows the file too (nothing of the change was kept in memory).
TEST_F(PaneShowsTheFileTest, AWriteThatFailsIsShownAsFailedOnBothPages) {
    core::PlistDictionary values;
    values.set("enabled", core::PlistValue(true));
    values.set("showVolumeHUD", core::PlistValue(true));
    ASSERT_TRUE(core::PreferenceFile::write(kDomain, values));
    const std::string before = [&] {
        std::ifstream in(settingsFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    const int lock = ::open((settingsFile().string() + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);

    auto rootPage = openRootPage();
    flip(*rootPage, "enabled");
    EXPECT_TRUE(switchOf(*rootPage, "enabled")->isOn()) << "shows the file, not the finger";
    EXPECT_NE(alertText(*rootPage).find("was not changed"), std::string::npos)
        << alertText(*rootPage);
    EXPECT_FALSE(
        settings::NavigationController::navigationItemOf(rootPage.get())->rightBarButtonItem())
        << "no restart is offered for a change that was not made";

    auto subPage = openSubPage("Display");
    flip(*subPage, "showVolumeHUD");
    EXPECT_TRUE(switchOf(*subPage, "showVolumeHUD")->isOn());
    EXPECT_NE(alertText(*subPage).find("was not changed"), std::string::npos);
    EXPECT_EQ(deliveredReloads(), 0);

    ::close(lock);
    std::ifstream in(settingsFile(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
    EXPECT_TRUE(switchOf(*openRootPage(), "enabled")->isOn());
    EXPECT_TRUE(switchOf(*openSubPage("Display"), "showVolumeHUD")->isOn());

    // The alert's button closes it; the next change goes through.
    ASSERT_TRUE(rt::cast<ui::AlertController>(rootPage->presentedViewController())->tapAction());
    EXPECT_FALSE(rootPage->presentedViewController());
    flip(*rootPage, "enabled");
    EXPECT_FALSE(switchOf(*rootPage, "enabled")->isOn());
    EXPECT_EQ(core::PreferenceFile::read(kDomain)->find("enabled")->asBool(), false);
    EXPECT_TRUE(alertText(*rootPage).empty());
    EXPECT_EQ(deliveredReloads(), 1);
}

TEST_F(PaneShowsTheFileTest, AnUnreadableFileKeptAsideIsTold) {
    {
        std::ofstream garbage(settingsFile(), std::ios::binary);
        garbage << "not a property list";
    }
    auto page = openSubPage("Display");
    flip(*page, "showVolumeHUD");
    EXPECT_NE(alertText(*page).find("kept as"), std::string::npos) << alertText(*page);
    EXPECT_TRUE(fs::exists(settingsFile().string() + ".unreadable"));
    const auto after = core::PreferenceFile::read(kDomain);
    ASSERT_TRUE(after && after->find("showVolumeHUD"));
    EXPECT_EQ(deliveredReloads(), 1);
}

// The page opens under the bars at -64; a drag pulls at most half the screen past either end
// and the page settles back when the finger lifts, its header image where it was at opening.
TEST_F(PaneShowsTheFileTest, ThePageRestsUnderTheBarsAndSettlesAfterADrag) {
    auto page = openRootPage();
    const auto table = page->table();
    EXPECT_EQ(table->contentOffset().y, -64.0);
    page->view()->layoutIfNeeded();
    const ui::Rect atOpening = page->headerImageView()->frame();

    const double end = table->maximumRestingOffsetY();
    ASSERT_GE(end, -64.0);
    table->dragContentTo(end + 900);
    EXPECT_EQ(table->contentOffset().y, end + 333.5);
    table->endDragging();
    EXPECT_EQ(table->contentOffset().y, end);
    EXPECT_EQ(page->iconView()->alpha() > 0.5, end > 70) << "the title follows the settled offset";

    table->dragContentTo(-1000);
    EXPECT_EQ(table->contentOffset().y, -64.0 - 333.5);
    table->endDragging();
    EXPECT_EQ(table->contentOffset().y, -64.0);
    EXPECT_EQ(page->headerImageView()->frame(), atOpening);
    EXPECT_LT(
        page->headerImageView()->frame().maxY(),
        page->table()->rectForRowAtIndexPath(ui::IndexPath::indexPathForRow(0, 0).get()).minY())
        << "the header image does not reach the first card";
}

}  // namespace
