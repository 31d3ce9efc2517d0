#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/Subprocess.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;
using testing_support::shellQuote;

TEST(SpringBoardHostRoot, ATweakLibraryThatLinksOutOfTheRootIsRefusedAndNamed) {
    testing_support::TemporaryDirectory root;
    testing_support::TemporaryDirectory directory;
    const fs::path libraries = root.path() / "Library/MobileSubstrate/DynamicLibraries";
    fs::create_directories(libraries);
    fs::create_symlink(MORVANE_DYLIB, libraries / "Morvane.dylib");
    const fs::path scenario = directory.path() / "test.scenario";
    std::ofstream(scenario) << "app com.example.maps\n"
                               "store com.example.maps volume 0.25\n"
                               "launch com.example.maps\n"
                               "wait 1\n"
                               "expect volume 0.5\n";
    std::string output;
    EXPECT_EQ(
        testing_support::run(std::string(SPRINGBOARD_HOST) + " --root " + shellQuote(root.path()) +
                                 " " + shellQuote(scenario) + " 2>&1",
                             &output),
        0)
        << "the library did not run: " << output;
    EXPECT_NE(output.find("Morvane.dylib: a link to " + std::string(MORVANE_DYLIB)),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("refused"), std::string::npos) << output;
    EXPECT_TRUE(fs::is_symlink(libraries / "Morvane.dylib")) << "the hand-made link is kept";
}
