// Both hosts as a user runs them: their command lines, what they refuse in a script, and the
// settings pane driven from the home screen.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/plist/PlistReader.h"
#include "support/Subprocess.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing_support::shellQuote;

namespace {

const std::string kSpringBoard = SPRINGBOARD_HOST;
const std::string kPreferences = PREFERENCES_HOST;
constexpr const char* kValuesFile = "var/mobile/Library/Preferences/com.kelvrin.morvane.plist";

// Runs a host on a device root with a script given as bytes; answers its exit status, with
// its standard output and error in `output`.
int play(const std::string& host, const fs::path& root, const std::string& script,
         std::string* output = nullptr) {
    testing_support::TemporaryDirectory directory;
    const fs::path file = directory.path() / "test.script";
    std::ofstream(file, std::ios::binary) << script;
    return testing_support::run(
        host + " --root " + shellQuote(root) + " " + shellQuote(file) + " 2>&1", output);
}

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(HostCommandLines, EachHostTakesOnlyItsOwnOptionsAndListsItsCommandsInHelp) {
    testing_support::TemporaryDirectory snapshots;
    std::string output;
    // The Settings app draws no snapshots: the option is refused, not ignored.
    EXPECT_EQ(testing_support::run(
                  kPreferences + " --snapshots " + shellQuote(snapshots.path()) + " /dev/null 2>&1",
                  &output),
              2);
    EXPECT_NE(output.find("--snapshots"), std::string::npos) << output;

    EXPECT_EQ(testing_support::run(kSpringBoard + " --help", &output), 0);
    for (const char* shown : {"--snapshots", "--root", "user switch <toggleName>", "tap remove",
                              "show <quantity>", "stored.<bundleId>.<what>", "menu.items"})
        EXPECT_NE(output.find(shown), std::string::npos) << shown << "\n" << output;
    EXPECT_EQ(testing_support::run(kPreferences + " --help", &output), 0);
    for (const char* shown : {"switch <key> on|off", "print page", "show <quantity>", "row.<key>"})
        EXPECT_NE(output.find(shown), std::string::npos) << shown << "\n" << output;
    EXPECT_EQ(output.find("--snapshots"), std::string::npos) << output;
    EXPECT_EQ(output.find("user switch"), std::string::npos) << output;
}

TEST(HostCommandLines, AScriptPathThatIsADirectoryIsRefused) {
    testing_support::TemporaryDirectory root;
    testing_support::TemporaryDirectory directory;
    for (const std::string& host : {kSpringBoard, kPreferences}) {
        std::string output;
        EXPECT_EQ(testing_support::run(host + " --root " + shellQuote(root.path()) + " " +
                                           shellQuote(directory.path()) + " 2>&1",
                                       &output),
                  2)
            << host;
        EXPECT_NE(output.find("is a directory"), std::string::npos) << output;
    }
}

TEST(HostScripts, ShowPrintsAnyQuantityExpectKnows) {
    testing_support::TemporaryDirectory root;
    std::string output;
    EXPECT_EQ(play(kSpringBoard, root.path(),
                   "app com.example.maps\nshow volume\nshow switch.wifi\n"
                   "show stored.com.example.maps.volume\nshow menu\n",
                   &output),
              0)
        << output;
    EXPECT_EQ(output,
              "volume 0.5\nswitch.wifi on\nstored.com.example.maps.volume -1\nmenu closed\n");
    EXPECT_EQ(play(kPreferences, root.path(),
                   "open Morvane\nshow page.title\nshow row.enabled\nshow file.enabled\n"
                   "show headerImage.frame\n",
                   &output),
              0)
        << output;
    std::istringstream lines(output);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "page.title Morvane");
    std::getline(lines, line);
    EXPECT_EQ(line, "row.enabled on");
    std::getline(lines, line);
    EXPECT_EQ(line, "file.enabled absent");
    std::getline(lines, line);
    ASSERT_EQ(line.rfind("headerImage.frame ", 0), 0u) << line;
    const std::string frame = line.substr(18);
    // The frame as shown holds; with a word more it does not.
    EXPECT_EQ(
        play(kPreferences, root.path(), "open Morvane\nexpect headerImage.frame " + frame + "\n"),
        0);
    EXPECT_EQ(play(kPreferences, root.path(),
                   "open Morvane\nexpect headerImage.frame " + frame + " 7\n", &output),
              1)
        << output;
}

TEST(HostScripts, NumbersMustBeFiniteAndInRangeInBothHosts) {
    testing_support::TemporaryDirectory root;
    std::string output;
    for (const char* line :
         {"wait nan\n", "wait inf\n", "wait -1\n", "wait 1e300\n", "expect volume 0.9 inf\n",
          "expect volume nan\n", "state a 99999999999999999999 2\n"}) {
        EXPECT_EQ(play(kSpringBoard, root.path(), "app a\n"s + line, &output), 1) << line << output;
        EXPECT_NE(output.find("line 2: "), std::string::npos) << output;
    }
    EXPECT_EQ(play(kSpringBoard, root.path(), "wait 0.5\nexpect time 0.5\n", &output), 0) << output;
    for (const char* line :
         {"wait nan\n", "scroll inf\n", "scroll nan\n", "expect posted 0 inf\n"}) {
        EXPECT_EQ(play(kPreferences, root.path(), "open Morvane\n"s + line, &output), 1)
            << line << output;
    }
}

TEST(HostScripts, AWordWithANulByteIsRefusedBeforeItReachesAFileOrAKey) {
    testing_support::TemporaryDirectory root;
    testing_support::TemporaryDirectory pictures;
    std::string output;
    EXPECT_EQ(play(kSpringBoard, root.path(), "store com.x\0zzz volume 0.9\n"s, &output), 1);
    EXPECT_NE(output.find("line 1: store com.x\\x00zzz volume 0.9"), std::string::npos) << output;
    EXPECT_NE(output.find("NUL"), std::string::npos) << output;
    const auto values = core::dictionaryWithContentsOfFile(root.path() / kValuesFile);
    EXPECT_FALSE(values && values->contains("com.x-volume"));

    const fs::path cut = pictures.path() / "a";
    EXPECT_EQ(play(kSpringBoard, root.path(), "snapshot " + cut.string() + "\0b.png\n"s, &output),
              1);
    EXPECT_EQ(play(kPreferences, root.path(),
                   "open Morvane\nsnapshot " + cut.string() + "\0b.png\n"s, &output),
              1);
    EXPECT_EQ(play(kPreferences, root.path(), "open Morvane\ngoto \xff\xfe\n"s, &output), 1);
    EXPECT_NE(output.find("not valid UTF-8"), std::string::npos) << output;
    EXPECT_FALSE(fs::exists(cut));
}

TEST(HostScripts, ASettingThePaneCouldNotWriteStopsTheScenarioWithThePanesMessage) {
    testing_support::TemporaryDirectory root;
    // The writers' lock file replaced by a directory: no writer can take the lock.
    const fs::path lock = root.path() / (std::string(kValuesFile) + ".lock");
    fs::create_directories(lock);
    std::string output;
    EXPECT_EQ(play(kSpringBoard, root.path(), "setting showVolumeHUD off\n", &output), 1) << output;
    EXPECT_NE(output.find("line 1: setting showVolumeHUD off"), std::string::npos) << output;
    EXPECT_NE(output.find("the settings pane could not set 'showVolumeHUD'"), std::string::npos)
        << output;
    EXPECT_NE(output.find("was not written"), std::string::npos) << output;

    fs::remove(lock);
    EXPECT_EQ(play(kSpringBoard, root.path(),
                   "setting showVolumeHUD off\nexpect setting.showVolumeHUD off\n", &output),
              0)
        << output;
}

TEST(HostScripts, ThePanesScriptIsHandedOverWithoutAFileInTheRoot) {
    testing_support::TemporaryDirectory root;
    testing_support::TemporaryDirectory outside;
    testing_support::TemporaryDirectory scripts;
    const fs::path target = outside.path() / "target";
    std::ofstream(target) << "kept";
    const fs::path scenario = scripts.path() / "test.scenario";
    std::ofstream(scenario) << "setting showVolumeHUD off\npane open Morvane; goto showVolumeHUD; "
                               "expect row.showVolumeHUD off\n";
    // A link planted where a script file named after the host's process would go: the shell
    // execs the host, so the host runs as the shell's process.
    const std::string command = "cd " + shellQuote(root.path()) + " && ln -s " +
                                shellQuote(target) + " pane-$$.script && exec " + kSpringBoard +
                                " --root " + shellQuote(root.path()) + " " + shellQuote(scenario) +
                                " 2>&1";
    std::string output;
    EXPECT_EQ(testing_support::run(command, &output), 0) << output;
    EXPECT_EQ(slurp(target), "kept");
    for (const auto& entry : fs::directory_iterator(root.path())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("pane-", 0) == 0) {
            EXPECT_TRUE(fs::is_symlink(entry.symlink_status())) << name;
        }
    }
}

TEST(HostScripts, ThePaneWaitsForTheWritersLockOncePerChange) {
    testing_support::TemporaryDirectory root;
    const fs::path lock = root.path() / (std::string(kValuesFile) + ".lock");
    fs::create_directories(lock.parent_path());
    // Another writer (this process) holds the lock for the whole change.
    const int held = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    // Every attempt at the lock opens its file once.
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, lock.c_str(), IN_OPEN), 0);
    std::string output;
    EXPECT_EQ(testing_support::run("MORVANE_PREFERENCE_LOCK_WAIT_MS=200 " + kPreferences +
                                       " --root " + shellQuote(root.path()) +
                                       " - 2>&1 <<'EOF'\nopen Morvane\ngoto showVolumeHUD\n"
                                       "switch showVolumeHUD off\nEOF",
                                   &output),
              1)
        << output;
    EXPECT_NE(output.find("line 3: switch showVolumeHUD off"), std::string::npos) << output;
    int opens = 0;
    alignas(inotify_event) char events[4096];
    for (ssize_t count; (count = ::read(watch, events, sizeof events)) > 0;) {
        for (char* at = events; at < events + count;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            opens += (event->mask & IN_OPEN) != 0;
            at += sizeof(inotify_event) + event->len;
        }
    }
    EXPECT_EQ(opens, 1) << "one flip, one wait for the lock";
    ::close(watch);
    ::close(held);
}
