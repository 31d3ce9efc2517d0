#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "core/files/FileLock.h"
#include "core/files/RootedFiles.h"
#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistReader.h"
#include "core/preferences/PreferenceFileUpdate.h"
#include "support/TweakWorld.h"
#include "tweak/store/CustomValuesStore.h"

using namespace morvane;

namespace {

class StoreTest : public tweak_testing::TweakTest {
  protected:
    std::filesystem::path valuesPath() const {
        return *core::DeviceRoot::mapForWriting(kValuesPath);
    }
    void writeRawFile(const std::string& bytes) {
        std::ofstream(valuesPath(), std::ios::binary) << bytes;
    }
};

constexpr const char* kMaps = "com.example.maps";

}  // namespace

TEST_F(StoreTest, WithNoFileEveryLookupAnswersTheSentinelAndTheDictionaryIsUsable) {
    EXPECT_TRUE(CustomValuesStore::getCustomValuesPerAppDictionary().empty());
    EXPECT_EQ(CustomValuesStore::getCustomVolumeForApp(kMaps), -1.0);
    EXPECT_EQ(CustomValuesStore::getCustomBrightnessForApp(kMaps), -1.0);
    EXPECT_EQ(CustomValuesStore::getCustomToggleStateForApp("wifi", kMaps), -1);
    EXPECT_EQ(&CustomValuesStore::getCustomValuesPerAppDictionary(),
              &CustomValuesStore::getCustomValuesPerAppDictionary());
    ASSERT_TRUE(CustomValuesStore::storeCustomVolumeForApp(0.42f, kMaps));
    EXPECT_DOUBLE_EQ(readValuesFile().find("com.example.maps-volume")->asReal().value(),
                     static_cast<double>(0.42f));
}

TEST_F(StoreTest, LevelsReadAsTheStoredSinglePrecisionValueWidened) {
    writeValuesFile({{"com.example.maps-volume", 0.0f}, {"com.example.maps-brightness", 0.3f}});
    EXPECT_EQ(CustomValuesStore::getCustomVolumeForApp(kMaps), 0.0) << "0.0 is a real value";
    EXPECT_EQ(CustomValuesStore::getCustomBrightnessForApp(kMaps), 0.30000001192092896);
    EXPECT_EQ(CustomValuesStore::getCustomVolumeForApp("com.example.other"), -1.0);
}

TEST_F(StoreTest, ToggleStatesComeFromTheAppsTogglesDictionary) {
    writeValuesFile({{"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}}},
                     {"com.example.mail-toggles", core::PlistDictionary{}}});
    EXPECT_EQ(CustomValuesStore::getCustomToggleStateForApp("wifi", kMaps), 0);
    EXPECT_EQ(CustomValuesStore::getCustomToggleStateForApp("bluetooth", kMaps), -1);
    EXPECT_EQ(CustomValuesStore::getCustomToggleStateForApp("wifi", "com.example.mail"), -1);
    EXPECT_EQ(CustomValuesStore::getCustomToggleStateForApp("wifi", "com.example.Maps"), -1)
        << "case is kept";
}

TEST_F(StoreTest, EntriesOfTheWrongKindReadAsAbsent) {
    writeValuesFile(
        {{"com.example.maps-volume", "loud"},
         {"com.example.maps-brightness", core::PlistDictionary{}},
         {"com.example.maps-toggles", 1},
         {"com.example.mail-toggles", core::PlistDictionary{{"wifi", "on"}, {"bluetooth", true}}}});
    EXPECT_EQ(CustomValuesStore::getCustomVolumeForApp(kMaps), -1.0);
    EXPECT_EQ(CustomValuesStore::getCustomBrightnessForApp(kMaps), -1.0);
    EXPECT_EQ(CustomValuesStore::getCustomToggleStateForApp("wifi", kMaps), -1);
    EXPECT_FALSE(CustomValuesStore::getCustomTogglesForApp(kMaps));
    EXPECT_EQ(CustomValuesStore::getCustomToggleStateForApp("wifi", "com.example.mail"), -1);
    EXPECT_EQ(CustomValuesStore::getCustomToggleStateForApp("bluetooth", "com.example.mail"), 1);
}

TEST_F(StoreTest, LevelsThatAreNoNumberReadAsAbsentAndOthersAreClampedToTheRange) {
    writeValuesFile({{"com.example.maps-volume", std::numeric_limits<double>::quiet_NaN()},
                     {"com.example.maps-brightness", 7.5},
                     {"com.example.mail-volume", -0.5}});
    EXPECT_EQ(CustomValuesStore::getCustomVolumeForApp(kMaps), -1.0);
    EXPECT_EQ(CustomValuesStore::getCustomBrightnessForApp(kMaps), 1.0);
    EXPECT_EQ(CustomValuesStore::getCustomVolumeForApp("com.example.mail"), 0.0);
}

TEST_F(StoreTest, WritesKeepEverythingElseInTheFileAndUseTheFormatsTypes) {
    writeValuesFile({{"showVolumeHUD", false}, {"com.example.mail-volume", 0.5f}});
    ASSERT_TRUE(CustomValuesStore::storeCustomBrightnessForApp(0.3f, kMaps));
    ASSERT_TRUE(CustomValuesStore::storeCustomToggleStateForApp("wifi", 1, kMaps));
    const core::PlistDictionary onDisk = readValuesFile();
    EXPECT_EQ(onDisk.find("showVolumeHUD")->asBool(), false);
    EXPECT_TRUE(onDisk.find("com.example.mail-volume"));
    EXPECT_EQ(onDisk.find("com.example.maps-brightness")->asReal(), 0.30000001192092896)
        << "written single precision";
    const core::PlistDictionary* toggles = onDisk.find("com.example.maps-toggles")->asDictionary();
    ASSERT_TRUE(toggles);
    EXPECT_EQ(toggles->find("wifi")->asInteger(), 1);
}

TEST_F(StoreTest, UnsettingTheLastToggleLeavesAnEmptyDictionaryAndNeverChangesAHeldOne) {
    writeValuesFile({{"com.example.maps-toggles", core::PlistDictionary{{"wifi", 0}}}});
    const core::PlistDictionary heldByATask = *CustomValuesStore::getCustomTogglesForApp(kMaps);
    ASSERT_TRUE(CustomValuesStore::storeCustomToggleStateForApp("wifi", -1, kMaps));
    EXPECT_TRUE(heldByATask.contains("wifi"));
    ASSERT_TRUE(CustomValuesStore::getCustomTogglesForApp(kMaps));
    EXPECT_TRUE(CustomValuesStore::getCustomTogglesForApp(kMaps)->empty());
    EXPECT_TRUE(readValuesFile().find("com.example.maps-toggles")->asDictionary()->empty());
}

TEST_F(StoreTest, RemovingALevelRemovesItsKey) {
    writeValuesFile({{"com.example.maps-volume", 0.5f}, {"com.example.maps-brightness", 0.5f}});
    ASSERT_TRUE(CustomValuesStore::removeCustomVolumeForApp(kMaps));
    ASSERT_TRUE(CustomValuesStore::removeCustomBrightnessForApp(kMaps));
    EXPECT_EQ(CustomValuesStore::getCustomVolumeForApp(kMaps), -1.0);
    EXPECT_TRUE(readValuesFile().empty());
}

TEST_F(StoreTest, AFileThatCannotBeReadIsKeptAsideBeforeTheFirstWrite) {
    writeRawFile("<?xml version=\"1.0\"?><plist><dict><key>com.example.maps-volume</key><real>0.5");
    EXPECT_EQ(CustomValuesStore::getCustomVolumeForApp(kMaps), -1.0);
    ASSERT_TRUE(CustomValuesStore::storeCustomVolumeForApp(0.3f, kMaps));

    std::filesystem::path aside = valuesPath();
    aside += ".unreadable";
    ASSERT_TRUE(std::filesystem::exists(aside));
    std::ifstream keptFile(aside, std::ios::binary);
    const std::string kept((std::istreambuf_iterator<char>(keptFile)),
                           std::istreambuf_iterator<char>());
    EXPECT_NE(kept.find("<real>0.5"), std::string::npos)
        << "the user's bytes are kept as they were";
    EXPECT_TRUE(readValuesFile().contains("com.example.maps-volume"));
}

TEST_F(StoreTest, AFileWithAnotherTopLevelKindIsKeptAsideToo) {
    writeRawFile(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><array/></plist>\n");
    ASSERT_TRUE(CustomValuesStore::storeCustomVolumeForApp(0.3f, kMaps));
    std::filesystem::path aside = valuesPath();
    aside += ".unreadable";
    EXPECT_TRUE(std::filesystem::exists(aside));
    // A second unreadable file does not replace the first one kept aside.
    writeRawFile("garbage");
    ASSERT_TRUE(CustomValuesStore::storeCustomVolumeForApp(0.4f, kMaps));
    std::filesystem::path second = valuesPath();
    second += ".unreadable-2";
    EXPECT_TRUE(std::filesystem::exists(second));
    EXPECT_TRUE(std::filesystem::exists(aside));
}

TEST_F(StoreTest, AWriteAfterAnotherProcessSavedTheFileKeepsThatSave) {
    writeValuesFile({{"showVolumeHUD", true}, {"com.example.mail-volume", 0.5f}});
    EXPECT_EQ(CustomValuesStore::getCustomVolumeForApp("com.example.mail"),
              static_cast<double>(0.5f));
    // The settings pane saves; its reload notice has not been handled yet.
    writeValuesFile({{"showVolumeHUD", false},
                     {"com.example.mail-volume", 0.5f},
                     {"com.example.mail-brightness", 0.1f}});
    ASSERT_TRUE(CustomValuesStore::storeCustomVolumeForApp(0.9f, kMaps));

    const core::PlistDictionary onDisk = readValuesFile();
    EXPECT_EQ(onDisk.find("showVolumeHUD")->asBool(), false) << "no stale setting is put back";
    EXPECT_TRUE(onDisk.contains("com.example.mail-brightness"));
    EXPECT_TRUE(onDisk.contains("com.example.maps-volume"));
    EXPECT_EQ(CustomValuesStore::getCustomBrightnessForApp("com.example.mail"),
              static_cast<double>(0.1f))
        << "the in-memory copy becomes the file's content";
}

TEST_F(StoreTest, ConsecutiveWritesOfThisProcessAllReachTheFile) {
    ASSERT_TRUE(CustomValuesStore::storeCustomVolumeForApp(0.1f, kMaps));
    ASSERT_TRUE(CustomValuesStore::storeCustomBrightnessForApp(0.2f, kMaps));
    ASSERT_TRUE(CustomValuesStore::storeCustomToggleStateForApp("vpn", 0, kMaps));
    const core::PlistDictionary onDisk = readValuesFile();
    EXPECT_EQ(onDisk.size(), 3u);
}

TEST_F(StoreTest, ALockHeldTooLongFailsTheStoreAndTheCopyKeepsWhatItHad) {
    ASSERT_TRUE(CustomValuesStore::storeCustomVolumeForApp(0.1f, kMaps));
    const auto files = core::RootedFiles::ofDeviceRoot();
    const auto directory = files->openDirectory("/var/mobile/Library/Preferences");
    ASSERT_TRUE(directory);
    ::setenv(core::PreferenceFileUpdate::kLockWaitVariable, "100", 1);
    {
        // Another writer holds the lock (a separate open of the lock file conflicts as another
        // process's would).
        const auto held = core::FileLock::acquire(*directory, "com.kelvrin.morvane.plist.lock",
                                                  std::chrono::milliseconds(0));
        ASSERT_TRUE(held);
        EXPECT_FALSE(CustomValuesStore::storeCustomVolumeForApp(0.9f, kMaps));
    }
    ::unsetenv(core::PreferenceFileUpdate::kLockWaitVariable);
    EXPECT_EQ(CustomValuesStore::getCustomVolumeForApp(kMaps), static_cast<double>(0.1f));
    EXPECT_EQ(readValuesFile().find("com.example.maps-volume")->asReal(),
              static_cast<double>(0.1f));
    EXPECT_TRUE(CustomValuesStore::storeCustomVolumeForApp(0.9f, kMaps));
}

// XML that the reader accepts but the XML writer cannot carry (a control character) must not
// make every later store fail: the file is written back whole, in the binary form.
TEST_F(StoreTest, AFileHoldingAControlCharacterIsWrittenBackWithoutLoss) {
    writeRawFile(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
        "\t<key>note</key>\n\t<string>bell&#7;here</string>\n</dict>\n</plist>\n");
    ASSERT_TRUE(CustomValuesStore::storeCustomVolumeForApp(0.25f, kMaps));
    const core::PlistDictionary stored = readValuesFile();
    ASSERT_NE(stored.find("note"), nullptr);
    EXPECT_EQ(*stored.find("note")->asString(), std::string("bell\x07here"));
    EXPECT_DOUBLE_EQ(stored.find("com.example.maps-volume")->asReal().value(), 0.25);
    ASSERT_TRUE(CustomValuesStore::storeCustomVolumeForApp(0.5f, kMaps)) << "and again";
}
