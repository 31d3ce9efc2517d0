#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/files/FileLock.h"
#include "core/files/RootedFiles.h"
#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistReader.h"
#include "core/preferences/PreferenceFileUpdate.h"
#include "support/LinkSwapper.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;
using core::PreferenceFileUpdate;

namespace {

constexpr const char* kFile = "/var/mobile/Library/Preferences/test.plist";

class RootedFilesTest : public ::testing::Test {
  protected:
    void SetUp() override { core::DeviceRoot::set(_root.path()); }
    void TearDown() override { ::unsetenv(PreferenceFileUpdate::kLockWaitVariable); }
    fs::path hostPath(const std::string& devicePath) const {
        return _root.path() / fs::path(devicePath).relative_path();
    }
    void put(const std::string& devicePath, const std::string& bytes) const {
        fs::create_directories(hostPath(devicePath).parent_path());
        std::ofstream(hostPath(devicePath), std::ios::binary) << bytes;
    }
    static PreferenceFileUpdate::Result setKey(const std::string& key) {
        return PreferenceFileUpdate::apply(
            kFile, [&](core::PlistDictionary& values) { values.set(key, true); },
            core::PlistFormat::Binary);
    }
    testing_support::TemporaryDirectory _root;
    testing_support::TemporaryDirectory _outside;
};

using testing_support::LinkSwapper;

}  // namespace

TEST_F(RootedFilesTest, LinksResolveInsideTheRootAsOnThePhone) {
    put("/private/var/data.txt", "inside");
    put("/data.txt", "top");
    std::ofstream(_outside.path() / "data.txt") << "outside";
    fs::create_directories(hostPath("/links"));
    fs::create_symlink("/private/var/data.txt", hostPath("/links/absolute"));
    fs::create_symlink(_outside.path() / "data.txt", hostPath("/links/out"));
    fs::create_symlink("../../../../../../data.txt", hostPath("/links/climbing"));
    EXPECT_EQ(core::readDeviceFile("/links/absolute"), "inside");
    EXPECT_EQ(core::readDeviceFile("/links/out"), std::nullopt)
        << "an absolute link names a path of the device, which holds no such file";
    EXPECT_EQ(core::readDeviceFile("/links/climbing"), "top") << "\"..\" stops at the root";
    EXPECT_EQ(core::readDeviceFile("/../../../../" + (_outside.path() / "data.txt").string()),
              std::nullopt);
    EXPECT_EQ(core::readDeviceFile("relative/data.txt"), std::nullopt);
}

TEST_F(RootedFilesTest, DirectoriesAreCreatedInsideTheRootEvenThroughALinkOutOfIt) {
    fs::create_directories(hostPath("/var"));
    fs::create_symlink(_outside.path(), hostPath("/var/mobile"));
    const auto files = core::RootedFiles::ofDeviceRoot();
    ASSERT_TRUE(files);
    EXPECT_FALSE(files->createDirectories("/var/mobile/Library/Preferences"))
        << "the link names a device path that is not there";
    EXPECT_TRUE(fs::is_empty(_outside.path()));
    EXPECT_TRUE(files->createDirectories("/a/b/c"));
    EXPECT_TRUE(fs::is_directory(hostPath("/a/b/c")));
}

TEST_F(RootedFilesTest, ReadsRacingALinkSwapReadNothingOutsideTheRoot) {
    put(kFile, "inside");
    std::ofstream(_outside.path() / "test.plist") << "outside";
    LinkSwapper swapper(hostPath(kFile).parent_path(), _outside.path());
    int inside = 0;
    int outside = 0;
    for (int round = 0; round < 50000; ++round) {
        const auto bytes = core::readDeviceFile(kFile);
        if (bytes == "inside") ++inside;
        if (bytes == "outside") ++outside;
    }
    EXPECT_GT(swapper.stop(), 1000);
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 0);
}

TEST_F(RootedFilesTest, WritesRacingALinkSwapCreateNothingOutsideTheRoot) {
    fs::create_directories(hostPath(kFile).parent_path());
    LinkSwapper swapper(hostPath(kFile).parent_path(), _outside.path());
    int written = 0;
    for (int round = 0; round < 2000; ++round)
        written += setKey("k" + std::to_string(round)).written() ? 1 : 0;
    EXPECT_GT(swapper.stop(), 1000);
    EXPECT_GT(written, 0);
    EXPECT_TRUE(fs::is_empty(_outside.path())) << fs::directory_iterator(_outside.path())->path();
}

TEST_F(RootedFilesTest, AWrittenFileCanBeReadByItsOwnerWhateverTheOldMode) {
    ASSERT_TRUE(setKey("first").written());
    EXPECT_EQ(fs::status(hostPath(kFile)).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
    fs::permissions(hostPath(kFile), fs::perms::none);
    ASSERT_TRUE(setKey("second").written());
    EXPECT_EQ(fs::status(hostPath(kFile)).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(RootedFilesTest, ALockHeldTooLongFailsTheUpdateAndTouchesNothing) {
    ASSERT_TRUE(setKey("first").written());
    const auto files = core::RootedFiles::ofDeviceRoot();
    const auto directory = files->openDirectory("/var/mobile/Library/Preferences");
    ASSERT_TRUE(directory);
    ::setenv(PreferenceFileUpdate::kLockWaitVariable, "100", 1);
    {
        const auto held =
            core::FileLock::acquire(*directory, "test.plist.lock", std::chrono::milliseconds(0));
        ASSERT_TRUE(held);
        const auto result = setKey("second");
        EXPECT_EQ(result.outcome, PreferenceFileUpdate::Outcome::LockTimeout);
        EXPECT_NE(result.message.find("lock"), std::string::npos);
    }
    EXPECT_FALSE(core::dictionaryWithContentsOfFile(hostPath(kFile))->contains("second"));
    EXPECT_TRUE(setKey("second").written()) << "the lock is free again";
}

TEST_F(RootedFilesTest, UnreadableFilesAreKeptAsideUnderNamesThatNeverReplaceEachOther) {
    put(kFile, "garbage one");
    auto result = setKey("a");
    ASSERT_TRUE(result.written());
    EXPECT_EQ(result.keptAsideAs, "test.plist.unreadable");
    put(kFile, "bplist00");
    result = setKey("b");
    ASSERT_TRUE(result.written());
    EXPECT_EQ(result.keptAsideAs, "test.plist.unreadable-2");
    EXPECT_EQ(core::readDeviceFile(std::string(kFile) + ".unreadable"), "garbage one");
    EXPECT_EQ(core::readDeviceFile(std::string(kFile) + ".unreadable-2"), "bplist00");
    EXPECT_EQ(result.values.size(), 1u) << "the change went onto an empty dictionary";
}
