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
