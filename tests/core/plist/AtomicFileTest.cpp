#include "PlistTestSupport.h"

#include "core/files/AtomicFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <atomic>
#include <thread>

namespace {

mode_t permissionsOf(const std::filesystem::path& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

}  // namespace

TEST(AtomicFile, WritesNewFilesAndReplacesOldOnesLeavingNoTemporary) {
    plisttest::TempDirectory directory;
    const auto path = directory / "values.plist";
    ASSERT_TRUE(core::writeFileAtomically(path, "first"));
    EXPECT_EQ(core::readWholeFile(path), "first");
    ASSERT_TRUE(core::writeFileAtomically(path, std::string(100000, 'x')));
    EXPECT_EQ(core::readWholeFile(path), std::string(100000, 'x'));
    ASSERT_TRUE(core::writeFileAtomically(path, ""));
    EXPECT_EQ(core::readWholeFile(path), "");
    EXPECT_EQ(directory.entryNames(), std::vector<std::string>{"values.plist"});
}

TEST(AtomicFile, KeepsTheReplacedFilesPermissions) {
    plisttest::TempDirectory directory;
    const auto path = directory / "private.plist";
    plisttest::writeBytes(path, "old");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(core::writeFileAtomically(path, "new"));
    EXPECT_EQ(permissionsOf(path), 0640u);
}

TEST(AtomicFile, FailsWithoutCreatingMissingDirectories) {
    plisttest::TempDirectory directory;
    EXPECT_FALSE(core::writeFileAtomically(directory / "missing" / "values.plist", "data"));
    EXPECT_TRUE(directory.entryNames().empty());
}

TEST(AtomicFile, FailureLeavesTheOldContentAndNoTemporary) {
    plisttest::TempDirectory directory;
    const auto target = directory / "occupied";
    std::filesystem::create_directory(target);
    plisttest::writeBytes(target / "inside", "kept");
    EXPECT_FALSE(core::writeFileAtomically(target, "data"))
        << "a directory cannot be replaced by a file";
    EXPECT_EQ(plisttest::readBytes(target / "inside"), "kept");
    EXPECT_EQ(directory.entryNames(), std::vector<std::string>{"occupied"});
    EXPECT_FALSE(core::writeFileAtomically(directory.path() / "", "data"))
        << "a path without a file name";
}

TEST(AtomicFile, ReaderNeverSeesAMixOfOldAndNewContent) {
    plisttest::TempDirectory directory;
    const auto path = directory / "values.plist";
    const std::string first(256 * 1024, 'a');
    const std::string second(256 * 1024, 'b');
    ASSERT_TRUE(core::writeFileAtomically(path, first));
    std::atomic<bool> done = false;
    std::thread writer([&] {
        for (int round = 0; round < 20; ++round)
            core::writeFileAtomically(path, round % 2 ? first : second);
        done = true;
    });
    int reads = 0;
    while (!done || reads == 0) {
        const auto content = core::readWholeFile(path);
        ASSERT_TRUE(content);
        ASSERT_TRUE(*content == first || *content == second) << "read a partial or mixed file";
        ++reads;
    }
    writer.join();
}

TEST(ReadWholeFile, RefusesWhatIsNotARegularFile) {
    plisttest::TempDirectory directory;
    EXPECT_FALSE(core::readWholeFile(directory / "missing"));
    EXPECT_FALSE(core::readWholeFile(directory.path()));
    const auto fifo = directory / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(core::readWholeFile(fifo)) << "must answer at once, not wait for a writer";
}
