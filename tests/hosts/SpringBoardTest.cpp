#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "support/Subprocess.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;
using testing_support::shellQuote;

namespace {

// Runs SpringBoard (or a link to it under another name) on a scenario given as text.
int playScenario(const std::string& host, const fs::path& root, const std::string& scenario,
                 std::string* output = nullptr) {
    testing_support::TemporaryDirectory directory;
    const fs::path file = directory.path() / "test.scenario";
    std::ofstream(file) << scenario;
    return testing_support::run(
        host + " --root " + shellQuote(root) + " " + shellQuote(file) + " 2>&1", output);
}

const std::string kHost = SPRINGBOARD_HOST;

// Waits (up to 60 s) until the host's log holds text: the host has played that far.
void waitForLine(const fs::path& log, const std::string& text) {
    for (int attempt = 0; attempt < 6000; ++attempt) {
        std::ifstream in(log);
        const std::string played((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
        if (played.find(text) != std::string::npos) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ADD_FAILURE() << "the host never played '" << text << "'";
}

}  // namespace

TEST(SpringBoardHost, InstallsTheDeliverablesIntoAFreshRootAndAppliesAnAppsValues) {
    testing_support::TemporaryDirectory root;
    std::string output;
    EXPECT_EQ(playScenario(kHost, root.path(),
                           "app com.example.maps\n"
                           "store com.example.maps volume 0.25\n"
                           "store com.example.maps toggle bluetooth off\n"
                           "launch com.example.maps\n"
                           "wait 0.5\n"
                           "expect volume 0.25\n"
                           "expect switch.bluetooth off\n"
                           "expect record.com.example.maps.volumeBeforeOpening 0.5\n"
                           "home com.example.maps\n"
                           "wait 0.5\n"
                           "expect volume 0.5\n"
                           "expect switch.bluetooth on\n",
                           &output),
              0)
        << output;
    EXPECT_TRUE(fs::exists(root.path() / "Library/MobileSubstrate/DynamicLibraries/Morvane.dylib"));
    EXPECT_TRUE(fs::exists(root.path() /
                           "Library/Application Support/MorvaneBundle.bundle/volumeIcon.png"));
    EXPECT_EQ(fs::status(root.path() / "usr/bin/plutil").permissions() & fs::perms::owner_exec,
              fs::perms::owner_exec)
        << "the phone's property-list tool is installed beside killall";
    EXPECT_TRUE(
        fs::exists(root.path() / "var/mobile/Library/Preferences/com.kelvrin.morvane.plist"));
}

TEST(SpringBoardHost, KeepsAHandPreparedRootAsItIs) {
    testing_support::TemporaryDirectory root;
    const fs::path libraries = root.path() / "Library/MobileSubstrate/DynamicLibraries";
    fs::create_directories(libraries);
    // A root prepared by hand without Morvane: whatever is there is loaded, nothing replaced.
    std::ofstream(libraries / "Morvane.dylib") << "not a library";
    std::string output;
    EXPECT_EQ(
        playScenario(kHost, root.path(), "app a\nlaunch a\nwait 1\nexpect volume 0.5\n", &output),
        0)
        << output;
    EXPECT_NE(output.find("Morvane.dylib"), std::string::npos)
        << "the broken library is reported: " << output;
    std::ifstream kept(libraries / "Morvane.dylib");
    std::string content((std::istreambuf_iterator<char>(kept)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "not a library");
}

TEST(SpringBoardHost, TheLibraryActsInNoOtherProcess) {
    testing_support::TemporaryDirectory root;
    testing_support::TemporaryDirectory bin;
    // The same host program under another process name loads the same library, which then
    // registers, observes and installs nothing.
    const fs::path other = bin.path() / "Preferences";
    fs::create_symlink(kHost, other);
    std::string output;
    EXPECT_EQ(playScenario(other.string(), root.path(),
                           "app com.example.maps\n"
                           "store com.example.maps volume 0.25\n"
                           "launch com.example.maps\n"
                           "wait 1\n"
                           "expect volume 0.5\n"
                           "expect sets.volume 0\n"
                           "print settings\n"
                           "print app com.example.maps\n",
                           &output),
              0)
        << output;
    EXPECT_NE(output.find("(none: the library is not active in this host)"), std::string::npos)
        << output;
    EXPECT_NE(output.find("(no record: the library is not active in this host)"), std::string::npos)
        << output;
}

TEST(SpringBoardHost, AnotherProcessChangesAValueWhileTheHostRunsInRealTime) {
    testing_support::TemporaryDirectory root;
    testing_support::TemporaryDirectory directory;
    const fs::path log = directory.path() / "host.log";
    FILE* host = ::popen((kHost + " --real-time --echo --root " + shellQuote(root.path()) + " > " +
                          shellQuote(log) + " 2>&1")
                             .c_str(),
                         "w");
    ASSERT_NE(host, nullptr);
    std::fputs(
        "app com.example.maps\nlaunch com.example.maps\nwait 0.4\nexpect volume 0.5\n"
        "home com.example.maps\nwait 0.1\n",
        host);
    std::fflush(host);
    // A separate process writes the values file and posts the reload notification while the
    // host runs, once the host has played the lines above (it echoes each line as it plays it).
    waitForLine(log, "wait 0.1");
    ASSERT_EQ(testing_support::run(std::string(VALUES_EDITOR) + " --root " +
                                   shellQuote(root.path()) + " store com.example.maps volume 0.3"),
              0);
    std::fputs(
        "wait 0.2\nlaunch com.example.maps\nwait 0.5\nexpect volume 0.3\nexpect "
        "stored.com.example.maps.volume 0.3\n",
        host);
    const int status = ::pclose(host);
    std::ifstream in(log);
    std::string output((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
}

TEST(SpringBoardHost, RespringStartsTheLibraryAgainFromTheFiles) {
    testing_support::TemporaryDirectory root;
    std::string output;
    EXPECT_EQ(playScenario(kHost, root.path(),
                           "app com.example.maps\n"
                           "store com.example.maps volume 0.2\n"
                           "launch com.example.maps\n"
                           "wait 1\n"
                           "respring\n"
                           // The record lived on the old application object.
                           "expect record.com.example.maps.volumeBeforeOpening -1\n"
                           "expect volume 0.2\n"
                           "setting enabled off\n"
                           "expect setting.enabled off\n"
                           "home com.example.maps\n"
                           "launch com.example.maps\n"
                           "wait 1\n"
                           "expect sets.volume 1\n"
                           "respring\n"
                           "expect setting.enabled off\n"
                           "home com.example.maps\n"
                           "launch com.example.maps\n"
                           "wait 1\n"
                           "expect sets.volume 1\n"
                           "print app com.example.maps\n",
                           &output),
              0)
        << output;
    EXPECT_EQ(output.find("could not be unloaded"), std::string::npos) << output;
    EXPECT_NE(output.find("(no record: the library is not active in this host)"), std::string::npos)
        << output;
}

TEST(SpringBoardHost, StopsAtTheFirstBadLineNamingIt) {
    testing_support::TemporaryDirectory root;
    std::string output;
    EXPECT_EQ(
        playScenario(kHost, root.path(),
                     "app a\n\n# fine so far\nexpect volume 0.9\nexpect volume 0.5\n", &output),
        1);
    EXPECT_NE(output.find("line 4: expect volume 0.9"), std::string::npos) << output;
    EXPECT_NE(output.find("but it is 0.5"), std::string::npos) << output;

    EXPECT_EQ(playScenario(kHost, root.path(), "jump a\n", &output), 1);
    EXPECT_NE(output.find("unknown command 'jump'"), std::string::npos) << output;
    EXPECT_EQ(playScenario(kHost, root.path(), "expect loudness 1\n", &output), 1);
    EXPECT_NE(output.find("unknown quantity 'loudness'"), std::string::npos) << output;
    EXPECT_EQ(playScenario(kHost, root.path(), "launch not.installed\n", &output), 1);
    EXPECT_EQ(playScenario(kHost, root.path(), "user volume 1.5\n", &output), 1);
    EXPECT_NE(output.find("not between 0 and 1"), std::string::npos) << output;
    EXPECT_EQ(playScenario(kHost, root.path(), "store a volume loud\n", &output), 1);
}

TEST(SpringBoardHost, AnswersHelpAndRefusesBadArguments) {
    std::string output;
    EXPECT_EQ(testing_support::run(kHost + " --help", &output), 0);
    EXPECT_NE(output.find("Usage: SpringBoard"), std::string::npos) << output;
    EXPECT_EQ(testing_support::run(kHost + " --frobnicate 2>&1", &output), 2);
    EXPECT_EQ(testing_support::run(kHost + " --root 2>&1", &output), 2);
    EXPECT_EQ(testing_support::run(kHost + " /no/such/scenario 2>&1", &output), 2);
    EXPECT_EQ(testing_support::run(std::string(VALUES_EDITOR) + " --help", &output), 0);
}

namespace {

void writeValuesFile(const fs::path& root, const std::string& bytes) {
    const fs::path preferences = root / "var/mobile/Library/Preferences";
    fs::create_directories(preferences);
    std::ofstream(preferences / "com.kelvrin.morvane.plist", std::ios::binary) << bytes;
}

// A binary property list of 40 arrays, each holding the next twice, then `true`: 2^40
// elements once expanded, 300 bytes on disk.
std::string expansionBomb() {
    std::string file = "bplist00";
    std::string offsets;
    for (int level = 0; level <= 40; ++level) {
        offsets += {'\0', static_cast<char>(file.size())};
        if (level < 40)
            file += {'\xA2', static_cast<char>(level + 1), static_cast<char>(level + 1)};
        else
            file += '\x09';
    }
    const std::size_t table = file.size();
    file += offsets;
    file += std::string(6, '\0') + "\x02\x01";
    for (const std::size_t word : {std::size_t{41}, std::size_t{0}, table})
        for (int shift = 56; shift >= 0; shift -= 8)
            file += static_cast<char>((word >> shift) & 0xFF);
    return file;
}

}  // namespace

TEST(SpringBoardHost, PrintsAnExpansionBombAsNoValuesAndGoesOn) {
    testing_support::TemporaryDirectory root;
    writeValuesFile(root.path(), expansionBomb());
    std::string output;
    EXPECT_EQ(playScenario(kHost, root.path(),
                           "print store\napp a\nlaunch a\nwait 0.5\nexpect volume 0.5\n", &output),
              0)
        << output;
    EXPECT_NE(output.find("(no values file)"), std::string::npos) << output;
}

TEST(SpringBoardHost, PrintsControlCharactersOfStoredTextAsEscapes) {
    testing_support::TemporaryDirectory root;
    writeValuesFile(root.path(),
                    "<plist version=\"1.0\"><dict><key>note&#27;[2J</key>"
                    "<string>a&#1;\\b\"c</string></dict></plist>");
    std::string output;
    EXPECT_EQ(playScenario(kHost, root.path(), "print store\n", &output), 0) << output;
    EXPECT_NE(output.find("note\\x1B[2J = \"a\\x01\\\\b\\\"c\""), std::string::npos) << output;
    EXPECT_EQ(output.find('\x1B'), std::string::npos) << "no raw escape reaches the terminal";
}
