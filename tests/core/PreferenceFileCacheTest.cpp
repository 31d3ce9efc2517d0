#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "core/paths/DeviceRoot.h"
#include "core/preferences/HBPreferences.h"
#include "core/preferences/PreferenceFile.h"
#include "core/preferences/PreferenceFileCache.h"
#include "core/preferences/PreferenceFileUpdate.h"
#include "support/DeviceWorld.h"

using core::PlistDictionary;
using core::PlistValue;
using core::PreferenceFile;
using core::PreferenceFileCache;

namespace {

const std::string kDomain = "com.kelvrin.morvane";

std::filesystem::path hostPath() {
    return *core::DeviceRoot::mapForWriting(PreferenceFile::devicePathFor(kDomain));
}

// Waits until the file's last change can be told from the next one, so that a read keeps it.
void letTheFileSettle() {
    std::this_thread::sleep_for(PreferenceFileCache::settleTime() + std::chrono::milliseconds(5));
}

// A valid property list of at least `size` bytes, "enabled" set as given.
std::string paddedFile(std::size_t size, bool enabled) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>";
    text += "<key>enabled</key><";
    text += enabled ? "true" : "false";
    text += "/><key>padding</key><string>";
    text += std::string(size, 'x');
    return text + "</string></dict></plist>\n";
}

void writeOnHost(const std::string& bytes) {
    std::ofstream(hostPath(), std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace

TEST(PreferenceFileCache, AFileIsParsedOncePerChangeWhateverTheNumberOfReaders) {
    testing_support::DeviceWorld world;
    ASSERT_TRUE(PreferenceFile::write(kDomain, PlistDictionary{{"enabled", PlistValue(true)}}));
    letTheFileSettle();

    const std::size_t before = PreferenceFileCache::parseCount();
    for (int use = 0; use < 20; ++use) {
        const auto values = PreferenceFile::read(kDomain);
        ASSERT_TRUE(values);
        EXPECT_EQ(values->find("enabled")->asBool(), true);
    }
    core::HBPreferences first(kDomain), second(kDomain);
    EXPECT_EQ(PreferenceFileCache::parseCount() - before, 1u) << "one file, one version, one parse";

    ASSERT_TRUE(PreferenceFile::write(kDomain, PlistDictionary{{"enabled", PlistValue(false)}}));
    EXPECT_EQ(PreferenceFile::read(kDomain)->find("enabled")->asBool(), false)
        << "a changed file is read again";
}

TEST(PreferenceFileCache, VersionsWrittenWithinOneClockTickAreToldApart) {
    testing_support::DeviceWorld world;
    // Same size, same inode (written in place), written at once: only the time can differ.
    for (int round = 0; round < 20; ++round) {
        const bool enabled = round % 2 == 0;
        writeOnHost(paddedFile(enabled ? 17 : 16, enabled));  // "true" is one letter shorter
        const auto values = PreferenceFile::read(kDomain);
        ASSERT_TRUE(values);
        ASSERT_EQ(values->find("enabled")->asBool(), enabled) << "round " << round;
    }
}

TEST(PreferenceFileCache, AFileOverTheLimitKeepsTheLastGoodValuesAndIsLeftAsItIs) {
    testing_support::DeviceWorld world;
    ASSERT_TRUE(PreferenceFile::write(kDomain, PlistDictionary{{"enabled", PlistValue(true)}}));
    core::HBPreferences preferences(kDomain);
    std::atomic<bool> enabled{false};
    preferences.registerBool(&enabled, false, "enabled");
    ASSERT_TRUE(enabled);

    // Valid, but larger than a preferences file may be: its "enabled" is NO.
    const std::string large = paddedFile(PreferenceFileCache::kMaxFileSize, false);
    writeOnHost(large);
    testing::internal::CaptureStderr();
    preferences.reload();
    const auto again = PreferenceFile::read(kDomain);
    const std::string said = testing::internal::GetCapturedStderr();

    EXPECT_TRUE(enabled) << "the values read before stay";
    ASSERT_TRUE(again);
    EXPECT_EQ(again->find("enabled")->asBool(), true);
    EXPECT_NE(said.find(PreferenceFile::devicePathFor(kDomain)), std::string::npos) << said;
    EXPECT_NE(said.find("keeping the values read before"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "said once per version of the file: " << said;
    EXPECT_EQ(std::filesystem::file_size(hostPath()), large.size()) << "the user's file stays";
    EXPECT_FALSE(std::filesystem::exists(hostPath().string() + ".unreadable"));

    // Back within the limit: read again at once.
    writeOnHost(paddedFile(16, false));
    preferences.reload();
    EXPECT_FALSE(enabled);
}

TEST(PreferenceFileCache, AFileOverTheLimitFromTheStartReadsAsNone) {
    testing_support::DeviceWorld world;
    writeOnHost(paddedFile(PreferenceFileCache::kMaxFileSize, true));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(PreferenceFile::read(kDomain));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("no values were read before"), std::string::npos) << said;
}

TEST(PreferenceFileCache, WritersNeitherMakeNorTouchAFileOverTheLimit) {
    testing_support::DeviceWorld world;
    const std::string devicePath = PreferenceFile::devicePathFor(kDomain);
    const auto grow = [](PlistDictionary& values) {
        values.set("padding", std::string(PreferenceFileCache::kMaxFileSize, 'x'));
    };
    ASSERT_TRUE(PreferenceFile::write(kDomain, PlistDictionary{{"enabled", PlistValue(true)}}));
    const auto refused = core::PreferenceFileUpdate::apply(devicePath, grow, core::PlistFormat::Xml);
    EXPECT_EQ(refused.outcome, core::PreferenceFileUpdate::Outcome::TooLarge);
    EXPECT_NE(refused.message.find("MiB"), std::string::npos) << refused.message;
    EXPECT_FALSE(PreferenceFile::read(kDomain)->contains("padding"));

    // A file made too large by someone else is left whole: not rewritten, not renamed aside.
    const std::string large = paddedFile(PreferenceFileCache::kMaxFileSize, false);
    writeOnHost(large);
    const auto untouched = core::PreferenceFileUpdate::apply(
        devicePath, [](PlistDictionary& values) { values.set("enabled", true); },
        core::PlistFormat::Xml);
    EXPECT_EQ(untouched.outcome, core::PreferenceFileUpdate::Outcome::TooLarge);
    EXPECT_EQ(std::filesystem::file_size(hostPath()), large.size());
    EXPECT_FALSE(std::filesystem::exists(hostPath().string() + ".unreadable"));
}
