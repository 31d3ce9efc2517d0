// The pane's NSTask starts programs of the device root only: whatever links, "..", or scripts
// an attacker puts in the root, no program of this machine outside it runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/dispatch/Clock.h"
#include "core/paths/DeviceRoot.h"
#include "core/process/ProgramLauncher.h"
#include "foundation/NSTask.h"
#include "rt/Make.h"
#include "settings/SettingsApp.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;

namespace {

// A program of this machine that leaves a trace when it runs.
constexpr const char* kOutsideProgram = "/usr/bin/touch";

class NSTaskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        core::Clock::boot(core::ClockMode::Virtual);
        settings::SettingsApp::bootWorld();
        core::DeviceRoot::set(_root.path());
        fs::create_directories(binDirectory());
    }
    fs::path binDirectory() const { return _root.path() / "usr/bin"; }
    fs::path killall() const { return binDirectory() / "killall"; }
    // Launches the path with the marker as argument and waits for whatever started to end.
    bool launch(const std::string& launchPath, std::string* error = nullptr) {
        auto task = rt::make<settings::NSTask>();
        task->setLaunchPath(launchPath);
        task->setArguments({marker().string()});
        const bool started = task->launch();
        if (error) *error = task->lastError();
        EXPECT_TRUE(core::ProgramLauncher::waitForAll(10));
        return started;
    }
    fs::path marker() const { return _outside.path() / "ran"; }

    testing_support::TemporaryDirectory _root;
    testing_support::TemporaryDirectory _outside;
};

TEST_F(NSTaskTest, StartsTheRootsProgramAndReapsIt) {
    fs::copy_file(kOutsideProgram, killall());
    EXPECT_TRUE(launch("/usr/bin/killall"));
    EXPECT_TRUE(fs::exists(marker()));
    EXPECT_EQ(core::ProgramLauncher::running(), 0);
}

TEST_F(NSTaskTest, AnAbsoluteLinkToAProgramOfThisMachineResolvesInsideTheRoot) {
    fs::create_symlink(kOutsideProgram, killall());
    std::string error;
    EXPECT_FALSE(launch("/usr/bin/killall", &error));
    EXPECT_NE(error.find("no such program"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(marker()));
}

TEST_F(NSTaskTest, NeitherDotDotNorARelativeLinkClimbsOutOfTheRoot) {
    // As many ".." as it takes to reach "/" from the root, and more.
    std::string climb;
    for (int step = 0; step < 40; ++step) climb += "../";
    fs::create_symlink(climb + "usr/bin/touch", killall());
    EXPECT_FALSE(launch("/usr/bin/killall"));
    EXPECT_FALSE(launch("/" + climb + "usr/bin/touch"));
    EXPECT_FALSE(launch("/usr/bin/" + climb + "usr/bin/touch"));
    fs::create_symlink("/", binDirectory() / "host");
    EXPECT_FALSE(launch("/usr/bin/host/usr/bin/touch"));
    EXPECT_FALSE(fs::exists(marker()));
}

TEST_F(NSTaskTest, ARelativeOrEmptyPathStartsNothing) {
    const fs::path cwd = fs::current_path();
    fs::current_path("/");
    std::string error;
    EXPECT_FALSE(launch("usr/bin/touch", &error));
    EXPECT_NE(error.find("not an absolute device path"), std::string::npos) << error;
    EXPECT_FALSE(launch(""));
    fs::current_path(cwd);
    EXPECT_FALSE(fs::exists(marker()));
}

TEST_F(NSTaskTest, AScriptOfTheRootCannotNameAnInterpreterOfThisMachine) {
    std::ofstream(killall()) << "#!" << kOutsideProgram << " " << marker().string() << "\n";
    fs::permissions(killall(), fs::perms::owner_all);
    launch("/usr/bin/killall");
    EXPECT_FALSE(fs::exists(marker()));
    EXPECT_EQ(core::ProgramLauncher::running(), 0);
}

}  // namespace
