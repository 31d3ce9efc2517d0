#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/process/LibraryLoader.h"
#include "support/Subprocess.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;
using testing_support::shellQuote;

namespace {

std::string loadLog(const fs::path& root) {
    std::ifstream in(root / "var/log/probe-loads.txt");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(LibraryLoader, EveryHostLoadsEveryLibraryInNameOrder) {
    testing_support::TemporaryDirectory root;
    const fs::path folder = root.path() / "Library/MobileSubstrate/DynamicLibraries";
    fs::create_directories(folder);
    fs::copy_file(PROBE_LIBRARY, folder / "Zeta.dylib");
    fs::copy_file(PROBE_LIBRARY, folder / "Alpha.dylib");
    fs::copy_file(PROBE_LIBRARY, folder / "NotALibrary.plist");

    EXPECT_EQ(testing_support::run(std::string(PROBE_HOST_SPRINGBOARD) + " --root " +
                                   shellQuote(root.path())),
              0);
    EXPECT_EQ(testing_support::run(std::string(PROBE_HOST_PREFERENCES) + " --root " +
                                   shellQuote(root.path())),
              0);
    EXPECT_EQ(loadLog(root.path()),
              "SpringBoard Alpha.dylib\nSpringBoard Zeta.dylib\n"
              "Preferences Alpha.dylib\nPreferences Zeta.dylib\n");
}

TEST(LibraryLoader, ABrokenLibraryIsReportedAndTheOthersStillLoad) {
    testing_support::TemporaryDirectory root;
    const fs::path folder = root.path() / "Library/MobileSubstrate/DynamicLibraries";
    fs::create_directories(folder);
    std::ofstream(folder / "Broken.dylib") << "not an ELF file";
    fs::copy_file(PROBE_LIBRARY, folder / "Good.dylib");
    std::string output;
    EXPECT_EQ(testing_support::run(std::string(PROBE_HOST_SPRINGBOARD) + " --root " +
                                       shellQuote(root.path()) + " 2>&1",
                                   &output),
              1);
    EXPECT_NE(output.find("Broken.dylib"), std::string::npos) << output;
    EXPECT_EQ(loadLog(root.path()), "SpringBoard Good.dylib\n");
}

TEST(LibraryLoader, NoFolderLoadsNothing) {
    testing_support::TemporaryDirectory root;
    EXPECT_EQ(testing_support::run(std::string(PROBE_HOST_SPRINGBOARD) + " --root " +
                                   shellQuote(root.path())),
              0);
    EXPECT_FALSE(fs::exists(root.path() / "var/log/probe-loads.txt"));
}

TEST(LibraryLoader, ARestartedHostStartsEveryLibraryAfresh) {
    testing_support::TemporaryDirectory root;
    const fs::path folder = root.path() / "Library/MobileSubstrate/DynamicLibraries";
    fs::create_directories(folder);
    fs::copy_file(PROBE_LIBRARY, folder / "Probe.dylib");
    std::string errors;
    EXPECT_EQ(testing_support::run(std::string(PROBE_HOST_SPRINGBOARD) + " --root " +
                                       shellQuote(root.path()) + " --restart 2>&1",
                                   &errors),
              0)
        << errors;
    EXPECT_EQ(loadLog(root.path()), "SpringBoard Probe.dylib\nSpringBoard Probe.dylib\n");
}

TEST(LibraryLoader, ALinkLoadsWhenItLeadsInsideTheRootAndIsRefusedWhenItLeadsOut) {
    testing_support::TemporaryDirectory root;
    const fs::path folder = root.path() / "Library/MobileSubstrate/DynamicLibraries";
    fs::create_directories(folder);
    fs::create_directories(root.path() / "opt");
    fs::copy_file(PROBE_LIBRARY, root.path() / "opt/Inside.dylib");
    // An absolute link names a path of the device.
    fs::create_symlink("/opt/Inside.dylib", folder / "Alpha.dylib");
    fs::create_symlink(PROBE_LIBRARY, folder / "Beta.dylib");
    std::string output;
    EXPECT_EQ(testing_support::run(std::string(PROBE_HOST_SPRINGBOARD) + " --root " +
                                       shellQuote(root.path()) + " 2>&1",
                                   &output),
              1);
    EXPECT_NE(output.find("Beta.dylib: a link to " + std::string(PROBE_LIBRARY)), std::string::npos)
        << output;
    EXPECT_NE(output.find("refused"), std::string::npos) << output;
    EXPECT_EQ(loadLog(root.path()), "SpringBoard Inside.dylib\n") << "Beta.dylib did not run";
}
