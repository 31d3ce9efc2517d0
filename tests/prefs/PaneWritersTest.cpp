// The pane changing settings while the home screen's store saves apps' values in another
// process: both write the one values file, and neither's change may be lost.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/dispatch/Clock.h"
#include "core/paths/DeviceRoot.h"
#include "core/preferences/PreferenceFile.h"
#include "foundation/Number.h"
#include "prefs/MVSubPrefsListController.h"
#include "prefs/PaneClasses.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "settings/SettingsApp.h"
#include "support/Subprocess.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kBundle = "/Library/PreferenceBundles/MorvanePrefs.bundle";
constexpr const char* kDomain = "com.kelvrin.morvane";
const std::vector<std::string> kToggleKeys = {
    "showOrientationLockToggle", "showBluetoothToggle", "showCellularToggle", "showWifiToggle",
    "showAirplaneToggle",        "showDndToggle",       "showLocationToggle", "showVpnToggle"};

TEST(PaneWritersTest, APaneChangeAndTheHomeScreensStoreAtTheSameTimeLoseNeither) {
    testing_support::TemporaryDirectory root;
    core::Clock::boot(core::ClockMode::Virtual);
    settings::SettingsApp::bootWorld();
    morvane::prefs::registerPaneClasses();
    core::DeviceRoot::set(root.path());
    fs::create_directories(root.path() / "Library/PreferenceBundles");
    fs::copy(PANE_BUNDLE_SOURCE, root.path() / "Library/PreferenceBundles/MorvanePrefs.bundle",
             fs::copy_options::recursive);

    auto page = rt::make<morvane::prefs::MVSubPrefsListController>();
    page->setBundlePath(kBundle);
    auto link = rt::make<settings::PSSpecifier>("Toggles offered", settings::PSCellType::Link,
                                                core::PlistDictionary{});
    link->setProperty("MVSubPrefs", core::PlistValue("Toggles"));
    rt::send<void>(page, rt::sel("setSpecifier:"), link);

    for (const auto& key : kToggleKeys) ASSERT_TRUE(page->specifierForKey(key)) << key;

    // The home screen's store, in a process of its own, saves one app's volume after another
    // while the pane flips its switches through the page's own setter, until the store is
    // done; three times, as one race may happen to leave no gap to lose a change in.
    std::map<std::string, bool> lastSet;
    for (const std::string prefix : {"first", "second", "third"}) {
        testing_support::Subprocess store(testing_support::shellQuote(STORE_WRITER) + " --root " +
                                          testing_support::shellQuote(root.path()) + " " + prefix +
                                          " 60");
        std::atomic<bool> storeDone = false;
        std::string stored;
        int storeStatus = -1;
        std::thread waiter([&] {
            storeStatus = store.wait(&stored);
            storeDone = true;
        });
        for (int round = 0; round < 4 || (!storeDone && round < 1000); ++round) {
            for (const auto& key : kToggleKeys) {
                const bool on = (round + key.size()) % 2 == 0;
                rt::send<void>(page, rt::sel("setPreferenceValue:specifier:"),
                               rt::make<rt::Number>(on), page->specifierForKey(key));
                lastSet[key] = on;
            }
        }
        waiter.join();
        ASSERT_EQ(storeStatus, 0);

        const auto values = core::PreferenceFile::read(kDomain);
        ASSERT_TRUE(values);
        std::istringstream apps(stored);
        int savedApps = 0;
        int lostApps = 0;
        for (std::string app; std::getline(apps, app);) {
            ++savedApps;
            if (!values->contains(app + "-volume")) ++lostApps;
        }
        // The pane flips switches far faster than a user taps, so a store may wait past its
        // lock wait and report its failure; no store reported done may be lost.
        EXPECT_GT(savedApps, 30) << prefix;
        EXPECT_EQ(lostApps, 0) << prefix << ": apps' values reported saved but not in the file";
        for (const auto& [key, on] : lastSet) {
            const core::PlistValue* value = values->find(key);
            ASSERT_TRUE(value) << key << " set in the pane but missing from the file";
            EXPECT_EQ(value->asBool(), on) << key;
        }
    }
}

}  // namespace
