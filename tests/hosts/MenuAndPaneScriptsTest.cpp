// What the hosts tell and refuse about the icon menu and the settings pane: a tap on a switch
// button the editor does not show, a failed change shown as an alert, the app's own list.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/Subprocess.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;
using testing_support::shellQuote;

namespace {

const std::string kSpringBoard = SPRINGBOARD_HOST;
const std::string kPreferences = PREFERENCES_HOST;
constexpr const char* kValuesFile = "var/mobile/Library/Preferences/com.kelvrin.morvane.plist";

int play(const std::string& host, const fs::path& root, const std::string& script,
         std::string* output) {
    testing_support::TemporaryDirectory directory;
    const fs::path file = directory.path() / "test.script";
    std::ofstream(file, std::ios::binary) << script;
    return testing_support::run(
        host + " --root " + shellQuote(root) + " " + shellQuote(file) + " 2>&1", output);
}

TEST(MenuScripts, ATapOnASwitchButtonTheEditorDoesNotShowStopsTheScenario) {
    testing_support::TemporaryDirectory root;
    std::string output;
    // The VPN switch is not offered by default: its button is not in the editor.
    EXPECT_EQ(play(kSpringBoard, root.path(),
                   "app com.example.maps\npress com.example.maps\nwait 0.1\nchoose Toggles\n"
                   "tap vpn\nexpect menu open\n",
                   &output),
              1)
        << output;
    EXPECT_NE(output.find("line 5: tap vpn"), std::string::npos) << output;
    EXPECT_NE(output.find("does not show the button 'vpn'"), std::string::npos) << output;
    EXPECT_EQ(play(kSpringBoard, root.path(),
                   "app com.example.maps\npress com.example.maps\nwait 0.1\nchoose Toggles\n"
                   "tap wifi\nexpect stored.com.example.maps.toggle.wifi 1\n",
                   &output),
              0)
        << output;
}

// The pane cannot write: the alert is printed, the switch shows the file, nothing is posted,
// and `ok` closes the alert.
TEST(PaneScripts, AFailedChangeIsShownAsAnAlertAndTheSwitchShowsTheFile) {
    testing_support::TemporaryDirectory root;
    fs::create_directories(root.path() / (std::string(kValuesFile) + ".lock"));
    std::string output;
    EXPECT_EQ(play(kPreferences, root.path(),
                   "open Morvane\ngoto showVolumeHUD\nswitch showVolumeHUD off\n", &output),
              1)
        << output;
    EXPECT_NE(output.find("alert: Not Saved: \"Volume overlay\" was not changed"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("the change of 'showVolumeHUD' was not written"), std::string::npos)
        << output;

}

// An unreadable settings file kept aside is told; the change goes through and the script goes
// on until `ok` closes the alert.
TEST(PaneScripts, AFileKeptAsideIsToldAndTheScriptGoesOn) {
    testing_support::TemporaryDirectory root;
    const fs::path file = root.path() / kValuesFile;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << "not a property list";
    std::string output;
    EXPECT_EQ(play(kPreferences, root.path(),
                   "open Morvane\ngoto showVolumeHUD\nswitch showVolumeHUD off\n"
                   "show alert\nexpect file.showVolumeHUD off\nexpect posted 1\nok\n"
                   "expect alert none\n",
                   &output),
              0)
        << output;
    EXPECT_NE(output.find("alert: Settings File Replaced: "), std::string::npos) << output;
    EXPECT_NE(output.find("kept as com.kelvrin.morvane.plist.unreadable"), std::string::npos)
        << output;
    EXPECT_TRUE(fs::exists(file.string() + ".unreadable"));
}

TEST(PaneScripts, TheAppsOwnListComesFirstAndItsEntryOpensThePane) {
    testing_support::TemporaryDirectory root;
    std::string output;
    EXPECT_EQ(play(kPreferences, root.path(),
                   "expect back.title none\nshow page.rows\ntap Morvane\n"
                   "expect back.title Settings\nexpect page.title Morvane\nok\n",
                   &output),
              1)
        << output;
    EXPECT_NE(output.find("page.rows Airplane Mode|Wi-Fi|"), std::string::npos) << output;
    EXPECT_NE(output.find("|Morvane"), std::string::npos) << output;
    EXPECT_NE(output.find("line 6: ok"), std::string::npos) << output;
    EXPECT_NE(output.find("no alert is shown"), std::string::npos) << output;
}

}  // namespace
