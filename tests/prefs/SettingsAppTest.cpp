// The Settings app reads its pane entries and bundles inside the device root only: links an
// attacker puts in the root cannot make it list or load files of this machine.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/dispatch/Clock.h"
#include "core/paths/DeviceRoot.h"
#include "prefs/PaneClasses.h"
#include "settings/SettingsApp.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;

namespace {

class SettingsAppTest : public ::testing::Test {
  protected:
    void SetUp() override {
        core::Clock::boot(core::ClockMode::Virtual);
        settings::SettingsApp::bootWorld();
        morvane::prefs::registerPaneClasses();
        core::DeviceRoot::set(_root.path());
        fs::create_directories(bundles());
        fs::create_directories(_root.path() / "Library/PreferenceLoader/Preferences");
        fs::copy(PANE_ENTRY_SOURCE, _root.path() / "Library/PreferenceLoader/Preferences",
                 fs::copy_options::recursive);
        // The bundle and the entries as they are outside the root, on this machine.
        fs::copy(PANE_BUNDLE_SOURCE, _outside.path() / "MorvanePrefs.bundle",
                 fs::copy_options::recursive);
        fs::create_directories(_outside.path() / "PreferenceLoader/Preferences");
        fs::copy(PANE_ENTRY_SOURCE, _outside.path() / "PreferenceLoader/Preferences",
                 fs::copy_options::recursive);
    }
    fs::path bundles() const { return _root.path() / "Library/PreferenceBundles"; }

    testing_support::TemporaryDirectory _root;
    testing_support::TemporaryDirectory _outside;
};

TEST_F(SettingsAppTest, OpensThePaneInstalledInTheRoot) {
    fs::copy(PANE_BUNDLE_SOURCE, bundles() / "MorvanePrefs.bundle", fs::copy_options::recursive);
    settings::SettingsApp app;
    EXPECT_EQ(app.openPane("Morvane", false), std::nullopt);
    EXPECT_TRUE(app.rootPage());
}

TEST_F(SettingsAppTest, ABundleLinkedOutOfTheRootIsNotOpened) {
    fs::create_symlink(_outside.path() / "MorvanePrefs.bundle", bundles() / "MorvanePrefs.bundle");
    settings::SettingsApp app;
    const auto problem = app.openPane("Morvane", false);
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find("no readable Info.plist"), std::string::npos) << *problem;

    fs::remove(bundles() / "MorvanePrefs.bundle");
    fs::create_symlink("../../../../../../../../../../.." / _outside.path() / "MorvanePrefs.bundle",
                       bundles() / "MorvanePrefs.bundle");
    EXPECT_TRUE(app.openPane("Morvane", false));
}

TEST_F(SettingsAppTest, EntriesLinkedOutOfTheRootAreNotListed) {
    fs::remove_all(_root.path() / "Library/PreferenceLoader/Preferences");
    fs::create_symlink(_outside.path() / "PreferenceLoader/Preferences",
                       _root.path() / "Library/PreferenceLoader/Preferences");
    EXPECT_TRUE(settings::SettingsApp::listPanes().empty());
}

}  // namespace

namespace {

std::vector<std::string> rowLabels(settings::PSListController& page) {
    std::vector<std::string> labels;
    for (const auto& row : page.currentSpecifiers())
        if (row->cellType() != settings::PSCellType::Group) labels.push_back(row->name());
    return labels;
}

TEST_F(SettingsAppTest, BeforeAPaneOpensTheAppShowsItsListWithThePanesEntryAndIcon) {
    fs::copy(PANE_BUNDLE_SOURCE, bundles() / "MorvanePrefs.bundle", fs::copy_options::recursive);
    settings::SettingsApp app;
    const auto list = app.listPage();
    ASSERT_TRUE(list);
    EXPECT_FALSE(app.frontPage());
    list->view();
    const auto labels = rowLabels(*list);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front(), "Airplane Mode");
    EXPECT_EQ(labels.back(), "Morvane") << "the panes come after the phone's own entries";
    const auto entry = list->specifierForLabel("Morvane");
    ASSERT_TRUE(entry);
    ASSERT_TRUE(entry->iconImage()) << "the entry's icon comes from the pane's bundle";
    EXPECT_FALSE(entry->iconImage()->isEmpty());
    const auto cell =
        list->table()->cellForRowAtIndexPath(list->indexPathForSpecifier(entry.get()).get());
    ASSERT_TRUE(cell && cell->hasImageView());
    EXPECT_LT(cell->imageView()->frame().maxX(), cell->textLabel()->frame().minX())
        << "the icon stands before the label";

    std::string opened;
    list->setPaneOpener([&](const std::string& label) { opened = label; });
    EXPECT_TRUE(list->tapSpecifier(entry.get()));
    EXPECT_EQ(opened, "Morvane");
    EXPECT_FALSE(list->tapSpecifier(list->specifierForLabel("Wi-Fi").get()));
}

// The bar's back button is titled after the page below: the Settings app's list under the
// pane's first page, the pane's first page under a sub-page; none on the list itself.
TEST_F(SettingsAppTest, TheBackButtonIsTitledAfterThePageBelow) {
    fs::copy(PANE_BUNDLE_SOURCE, bundles() / "MorvanePrefs.bundle", fs::copy_options::recursive);
    settings::SettingsApp app;
    app.rootStack()->view();
    const auto& bar = app.rootStack()->navigationBar();
    EXPECT_EQ(bar->backTitle(), "");
    ASSERT_EQ(app.openPane("Morvane", false), std::nullopt);
    EXPECT_EQ(bar->backTitle(), "Settings");
    const auto root = app.rootPage();
    root->view();
    const auto link = root->specifierForLabel("Toggles offered");
    ASSERT_TRUE(link) << "the root page links its Toggles page";
    ASSERT_TRUE(root->tapSpecifier(link.get()));
    EXPECT_NE(app.frontPage(), root);
    EXPECT_EQ(bar->backTitle(), "Morvane");
    ASSERT_TRUE(app.back());
    EXPECT_EQ(bar->backTitle(), "Settings");
    ASSERT_TRUE(app.back());
    EXPECT_EQ(bar->backTitle(), "");
    EXPECT_FALSE(app.frontPage());
}

}  // namespace
