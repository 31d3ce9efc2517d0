#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/paths/DeviceRoot.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;
using core::DeviceRoot;

class DeviceRootTest : public ::testing::Test {
  protected:
    void SetUp() override { DeviceRoot::set(_root.path()); }
    fs::path root() const { return fs::canonical(_root.path()); }

    testing_support::TemporaryDirectory _root;
    testing_support::TemporaryDirectory _outside;
};

TEST_F(DeviceRootTest, MapsPhonePathsUnderTheRoot) {
    EXPECT_EQ(DeviceRoot::map("/var/mobile/Library/Preferences/a.plist"),
              root() / "var/mobile/Library/Preferences/a.plist");
    EXPECT_EQ(DeviceRoot::map("/"), root());
    EXPECT_EQ(DeviceRoot::map("/Library/Application Support/x y.bundle/./i.png"),
              root() / "Library/Application Support/x y.bundle/i.png");
}

TEST_F(DeviceRootTest, RefusesRelativePathsAndParentComponents) {
    EXPECT_FALSE(DeviceRoot::map("var/mobile"));
    EXPECT_FALSE(DeviceRoot::map(""));
    EXPECT_FALSE(DeviceRoot::map("/var/../../etc/passwd"));
    EXPECT_FALSE(DeviceRoot::map("/.."));
}

TEST_F(DeviceRootTest, RefusesSymbolicLinksThatLeaveTheRoot) {
    fs::create_directories(root() / "var");
    fs::create_directory_symlink(_outside.path(), root() / "var/absolute-out");
    fs::create_directory_symlink("../..", root() / "var/relative-out");
    fs::create_symlink(_outside.path() / "missing-file", root() / "var/dangling-out");
    EXPECT_FALSE(DeviceRoot::map("/var/absolute-out/file"));
    EXPECT_FALSE(DeviceRoot::map("/var/relative-out/etc"));
    EXPECT_FALSE(DeviceRoot::map("/var/dangling-out"));
    EXPECT_FALSE(DeviceRoot::mapForWriting("/var/absolute-out/new/file"));
    EXPECT_TRUE(fs::is_empty(_outside.path()));
}

TEST_F(DeviceRootTest, FollowsLinksThatStayInside) {
    fs::create_directories(root() / "private/var");
    fs::create_directory_symlink("private/var", root() / "var");
    EXPECT_EQ(DeviceRoot::map("/var/mobile"), root() / "var/mobile");
    const auto forWriting = DeviceRoot::mapForWriting("/var/mobile/Library/x.plist");
    ASSERT_TRUE(forWriting);
    EXPECT_TRUE(fs::is_directory(root() / "private/var/mobile/Library"));
}

TEST(DeviceRootEnvironment, NamesTheRootWhenNoneIsSet) {
    testing_support::TemporaryDirectory directory;
    // A process that was given no root uses the environment's; this test process has one
    // set already, so run the check through a fresh root value.
    ::setenv(DeviceRoot::kEnvironmentVariable, directory.path().c_str(), 1);
    DeviceRoot::set(directory.path());
    EXPECT_EQ(DeviceRoot::map("/a"), fs::canonical(directory.path()) / "a");
    ::unsetenv(DeviceRoot::kEnvironmentVariable);
}
