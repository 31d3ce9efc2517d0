// The pane's "App values" pages against the values file: what they list and show is what the
// home screen acts on, and every removal reaches the file (or is shown as failed).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/dispatch/Clock.h"
#include "core/dispatch/RunLoop.h"
#include "core/notify/NotifyCenter.h"
#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"
#include "prefs/MVAppValuesAppController.h"
#include "prefs/MVAppValuesListController.h"
#include "prefs/PaneClasses.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "settings/SettingsApp.h"
#include "support/TemporaryDirectory.h"
#include "ui/AlertController.h"

namespace fs = std::filesystem;
using morvane::prefs::MVAppValuesAppController;
using morvane::prefs::MVAppValuesListController;

namespace {

constexpr const char* kReload = "com.kelvrin.morvane/ReloadPrefs";

class AppValuesPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        core::Clock::boot(core::ClockMode::Virtual);
        settings::SettingsApp::bootWorld();
        morvane::prefs::registerPaneClasses();
        core::DeviceRoot::set(root.path());
        fs::create_directories(valuesFile().parent_path());
        ::setenv("MORVANE_PREFERENCE_LOCK_WAIT_MS", "30", 1);
        core::NotifyCenter::darwin().addObserver(kReload, [this](const std::string&) { ++reloads; });
    }
    void TearDown() override { ::unsetenv("MORVANE_PREFERENCE_LOCK_WAIT_MS"); }

    fs::path valuesFile() const {
        return root.path() / "var/mobile/Library/Preferences/com.kelvrin.morvane.plist";
    }
    void write(const core::PlistDictionary& values) {
        ASSERT_TRUE(core::writePropertyListFile(valuesFile(), values, core::PlistFormat::Xml));
    }
    core::PlistDictionary onDisk() const {
        return core::dictionaryWithContentsOfFile(valuesFile()).value_or(core::PlistDictionary{});
    }
    // An app bundle in the device root, as the phone keeps its apps.
    void installBundle(const std::string& folder, const std::string& bundleId,
                       const std::string& name) {
        const fs::path bundle = root.path() / "Applications" / (folder + ".app");
        fs::create_directories(bundle);
        ASSERT_TRUE(core::writePropertyListFile(
            bundle / "Info.plist",
            core::PlistDictionary{{"CFBundleIdentifier", bundleId}, {"CFBundleDisplayName", name}},
            core::PlistFormat::Binary));
    }

    template <class Page>
    rt::Ref<Page> open(const std::string& label, core::PlistDictionary properties = {}) {
        auto page = rt::make<Page>();
        auto link = rt::make<settings::PSSpecifier>(label, settings::PSCellType::Link,
                                                    std::move(properties));
        rt::send<void>(page, rt::sel("setSpecifier:"), link);
        page->view();
        page->table()->reloadData();
        return page;
    }
    rt::Ref<MVAppValuesAppController> openApp(const std::string& bundleId) {
        return open<MVAppValuesAppController>(bundleId, {{"bundleId", bundleId}});
    }

    static std::string rows(settings::PSListController& page) {
        std::string text;
        for (const auto& row : page.currentSpecifiers())
            if (row->cellType() != settings::PSCellType::Group)
                text += (text.empty() ? "" : "|") + row->name();
        return text;
    }
    // What the row's cell shows beside its label.
    static std::string subtitle(settings::PSListController& page, const std::string& label) {
        const auto row = page.specifierForLabel(label);
        if (!row) return "(no row)";
        const auto cell = page.table()->cellForRowAtIndexPath(page.indexPathForSpecifier(row.get()).get());
        return cell ? cell->detailTextLabel()->text() : "(no cell)";
    }
    static void swipeDelete(settings::PSListController& page, const std::string& label) {
        const auto row = page.specifierForLabel(label);
        ASSERT_TRUE(row) << label;
        const auto path = page.indexPathForSpecifier(row.get());
        ASSERT_TRUE(rt::send<bool>(&page, rt::sel("tableView:canEditRowAtIndexPath:"), page.table(), path));
        rt::send<void>(&page, rt::sel("tableView:commitEditingStyle:forRowAtIndexPath:"),
                       page.table(), 1LL, path);
    }
    static rt::Ref<ui::AlertController> alertOn(settings::PSListController& page) {
        return rt::cast<ui::AlertController>(page.presentedViewController());
    }
    int deliveredReloads() {
        core::RunLoop::main().pollSources(0.05);
        return reloads;
    }

    testing_support::TemporaryDirectory root;
    int reloads = 0;
};

}  // namespace

TEST_F(AppValuesPageTest, ListsAppsByTheirShownNameWithWhatIsSetAsTheHomeScreenReadsIt) {
    installBundle("Maps", "com.example.maps", "Maps");
    installBundle("Zebra", "com.example.zebra", "aardvark");
    installBundle("Twin", "com.example.twin", "Maps");
    write(core::PlistDictionary{
        {"enabled", true},
        {"com.example.maps-volume", 0.2f},
        {"com.example.maps-brightness", 0.7f},
        {"com.example.maps-toggles",
         core::PlistDictionary{{"wifi", std::int32_t{1}}, {"dnd", std::int32_t{0}}, {"vpn", 2}}},
        {"com.example.zebra-brightness", 1.5},
        {"com.example.twin-toggles", core::PlistDictionary{{"bluetooth", true}, {"teleport", 1}}},
        {"com.example.other-volume", 0.05f},
        {"com.example.loud-volume", "loud"},
        {"com.example.unset-volume", -1.0},
        {"com.example.empty-toggles", core::PlistDictionary{}}});
    auto page = open<MVAppValuesListController>("App values");
    EXPECT_EQ(rows(*page), "aardvark|com.example.other|Maps (com.example.maps)|"
                           "Maps (com.example.twin)|Reset all apps\u2026");
    EXPECT_EQ(subtitle(*page, "Maps (com.example.maps)"),
              "Volume 20% \u00b7 Brightness 70% \u00b7 3 toggles");
    EXPECT_EQ(subtitle(*page, "aardvark"), "Brightness 100%");
    EXPECT_EQ(subtitle(*page, "Maps (com.example.twin)"), "1 toggle");
    EXPECT_EQ(subtitle(*page, "com.example.other"), "Volume 5%");
    const auto maps = page->specifierForLabel("Maps (com.example.maps)");
    EXPECT_TRUE(maps->iconColor()) << "an app without an icon file gets a coloured tile";

    write(core::PlistDictionary{{"enabled", true}});
    page->reloadSpecifiers();
    EXPECT_EQ(rows(*page), "");
    EXPECT_EQ(page->currentSpecifiers().front()->stringProperty("footerText"),
              MVAppValuesListController::kEmptyFooter);
}

TEST_F(AppValuesPageTest, EachValueIsRemovedAloneAndRemoveAllLeavesTheSettings) {
    write(core::PlistDictionary{
        {"showVolumeHUD", false},
        {"com.a-volume", 0.25f},
        {"com.a-brightness", 0.5f},
        {"com.a-toggles", core::PlistDictionary{{"wifi", std::int32_t{1}},
                                                {"orientationLock", std::int32_t{0}}}},
        {"com.b-volume", 0.75f}});
    auto page = openApp("com.a");
    EXPECT_EQ(rows(*page), "Volume|Brightness|Orientation lock|Wi-Fi|Remove all values");
    EXPECT_EQ(subtitle(*page, "Volume"), "25%");
    EXPECT_EQ(subtitle(*page, "Orientation lock"), "Off");
    EXPECT_EQ(subtitle(*page, "Wi-Fi"), "On");

    swipeDelete(*page, "Volume");
    EXPECT_EQ(rows(*page), "Brightness|Orientation lock|Wi-Fi|Remove all values");
    EXPECT_FALSE(onDisk().contains("com.a-volume"));
    EXPECT_TRUE(onDisk().contains("com.a-brightness"));
    EXPECT_EQ(deliveredReloads(), 1);

    swipeDelete(*page, "Wi-Fi");
    EXPECT_EQ(deliveredReloads(), 2);
    swipeDelete(*page, "Orientation lock");
    EXPECT_EQ(deliveredReloads(), 3);
    EXPECT_FALSE(onDisk().contains("com.a-toggles")) << "no empty toggles dictionary is left";
    EXPECT_EQ(rows(*page), "Brightness|Remove all values");
    const auto removeAll = page->specifierForLabel("Remove all values");
    ASSERT_TRUE(page->tapSpecifier(removeAll.get()));
    EXPECT_EQ(onDisk(), (core::PlistDictionary{{"showVolumeHUD", false}, {"com.b-volume", 0.75f}}));
    EXPECT_EQ(deliveredReloads(), 4);
}

TEST_F(AppValuesPageTest, ResetAllAppsAsksFirstAndKeepsTheSettings) {
    write(core::PlistDictionary{
        {"enabled", false}, {"com.a-volume", 0.25f}, {"com.b-toggles", core::PlistDictionary{{"vpn", 1}}}});
    auto page = open<MVAppValuesListController>("App values");
    const auto reset = page->specifierForLabel(MVAppValuesListController::kResetLabel);
    ASSERT_TRUE(page->tapSpecifier(reset.get()));
    auto sheet = alertOn(*page);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->preferredStyle(), ui::AlertControllerStyle::ActionSheet);
    ASSERT_TRUE(sheet->tapAction("Cancel"));
    EXPECT_EQ(rows(*page), "com.a|com.b|Reset all apps\u2026");
    EXPECT_EQ(onDisk().size(), 3u);

    ASSERT_TRUE(page->tapSpecifier(reset.get()));
    ASSERT_TRUE(alertOn(*page)->tapAction("Reset All Apps"));
    EXPECT_EQ(onDisk(), (core::PlistDictionary{{"enabled", false}}));
    EXPECT_EQ(rows(*page), "");
    EXPECT_EQ(deliveredReloads(), 1);
}

TEST_F(AppValuesPageTest, AFailedRemovalShowsTheFileAndSaysWhy) {
    write(core::PlistDictionary{{"com.a-volume", 0.25f}, {"com.a-brightness", 0.5f}});
    const int lock = ::open((valuesFile().string() + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    auto page = openApp("com.a");
    swipeDelete(*page, "Volume");
    EXPECT_EQ(rows(*page), "Volume|Brightness|Remove all values") << "the row stays: the file has it";
    ASSERT_TRUE(alertOn(*page));
    EXPECT_NE(alertOn(*page)->text().find("Not Saved: Removing Volume failed"), std::string::npos)
        << alertOn(*page)->text();
    EXPECT_EQ(deliveredReloads(), 0);
    ::close(lock);
    EXPECT_TRUE(onDisk().contains("com.a-volume"));
}

TEST_F(AppValuesPageTest, AListTooLongForOnePageIsShownInPartsThatHoldEveryApp) {
    std::vector<core::PlistDictionary::Entry> entries;
    for (int index = 0; index < 600; ++index) {
        char name[32];
        std::snprintf(name, sizeof name, "com.example.app%03d", index);
        entries.emplace_back(std::string(name) + "-volume", 0.5f);
    }
    write(core::PlistDictionary(std::move(entries)));
    auto page = open<MVAppValuesListController>("App values");
    EXPECT_EQ(rows(*page), "com.example.app000 \u2013 com.example.app249|"
                           "com.example.app250 \u2013 com.example.app499|"
                           "com.example.app500 \u2013 com.example.app599|Reset all apps\u2026");
    EXPECT_EQ(subtitle(*page, "com.example.app500 \u2013 com.example.app599"), "100 apps");
    const auto part = page->specifierForLabel("com.example.app250 \u2013 com.example.app499");
    auto partPage = open<MVAppValuesListController>(part->name(), part->properties());
    const auto shown = partPage->currentSpecifiers();
    ASSERT_EQ(shown.size(), 251u) << "a group and 250 apps, no reset of its own";
    EXPECT_EQ(shown[1]->name(), "com.example.app250");
    EXPECT_EQ(shown.back()->name(), "com.example.app499");
    EXPECT_EQ(subtitle(*partPage, "com.example.app300"), "Volume 50%");
}

TEST_F(AppValuesPageTest, ASwipeOnAnAppsRowRemovesThatAppOnly) {
    write(core::PlistDictionary{{"enabled", true},
                                {"com.a-volume", 0.25f},
                                {"com.a-toggles", core::PlistDictionary{{"wifi", 1}}},
                                {"com.b-volume", 0.75f}});
    auto page = open<MVAppValuesListController>("App values");
    swipeDelete(*page, "com.a");
    EXPECT_EQ(rows(*page), "com.b|Reset all apps\u2026");
    EXPECT_EQ(onDisk(), (core::PlistDictionary{{"enabled", true}, {"com.b-volume", 0.75f}}));
    EXPECT_FALSE(rt::send<bool>(page, rt::sel("tableView:canEditRowAtIndexPath:"), page->table(),
                                page->indexPathForSpecifier(
                                    page->specifierForLabel(MVAppValuesListController::kResetLabel).get())))
        << "the reset button is no app";
    EXPECT_EQ(deliveredReloads(), 1);
}
