// The live phone's own parts: the Settings app's process (played by small shell programs in
// its place), and the finger and the phone on a home-screen world.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "Finger.h"
#include "HostSession.h"
#include "LivePhone.h"
#include "SettingsChild.h"
#include "core/dispatch/RunLoop.h"
#include "springboard/HomeScreen.h"
#include "springboard/IconMenu.h"
#include "support/DeviceWorld.h"
#include "support/TemporaryDirectory.h"

namespace {

using namespace std::chrono_literals;
using springboard::HomeScreen;
using springboard::IconMenu;

// Answers a page for every batch and keeps every line it was given in received.txt of its
// working folder.
constexpr const char* kAnsweringApp = R"(#!/bin/sh
while IFS= read -r line; do
  printf '%s\n' "$line" >> received.txt
  case "$line" in
    "print frames") printf '%s\n' '{"title": "Fake", "rows": [{"label": "General", "frame": [0, 100, 375, 44]}, {"label": "Music #2", "frame": [0, 144, 375, 44]}]}' ;;
  esac
done
)";
// Reads its input and never answers.
constexpr const char* kSilentApp = "#!/bin/sh\nwhile read -r line; do :; done\n";
// Answers nothing and reads nothing until it is killed.
constexpr const char* kStubbornApp = "#!/bin/sh\ntrap '' TERM\nexec sleep 30\n";
// Ends at once.
constexpr const char* kEndingApp = "#!/bin/sh\nexit 3\n";
// Answers the first batch, then ends.
constexpr const char* kOnceApp = R"(#!/bin/sh
while IFS= read -r line; do
  case "$line" in
    "print frames") printf '%s\n' '{"title": "Fake", "rows": [{"label": "General", "frame": [0, 100, 375, 44]}]}'; exit 0 ;;
  esac
done
)";

std::filesystem::path writeProgram(const std::filesystem::path& folder, const std::string& name,
                                   const char* text) {
    const auto path = folder / name;
    std::ofstream(path) << text;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

std::string contents(const std::filesystem::path& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

// Whether the process is gone and reaped (a zombie still answers a signal).
bool gone(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// The phone ignores SIGPIPE (a child gone while it writes is an answer, not death); so do
// these tests, which also check that the child does not inherit it.
class SettingsProcess : public ::testing::Test {
  protected:
    void SetUp() override { _previous = ::signal(SIGPIPE, SIG_IGN); }
    void TearDown() override { ::signal(SIGPIPE, _previous); }

    std::filesystem::path program(const char* text) {
        return writeProgram(_tools.path(), "Preferences", text);
    }
    // The picture folder, with a blank and a '#' in its path as a TMPDIR may have.
    std::filesystem::path pictures() {
        const auto folder = _tools.path() / "my pictures #1";
        std::filesystem::create_directories(folder);
        return folder;
    }

    testing_support::TemporaryDirectory _tools{"morvane-settings-child-"};
    sighandler_t _previous = SIG_DFL;
};

TEST_F(SettingsProcess, ASilentAppIsEndedAndReapedOnceTheAnswerTimeIsOut) {
    for (const char* text : {kSilentApp, kStubbornApp}) {
        SettingsChild child(program(text), _tools.path(), pictures(), 200ms);
        const pid_t pid = child.pid();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(child.play({"tap General"}));
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << text;
        EXPECT_FALSE(child.isRunning());
        EXPECT_TRUE(gone(pid)) << text;
    }
}

TEST_F(SettingsProcess, AnAppThatEndsByItselfIsNoticedAndReaped) {
    SettingsChild child(program(kEndingApp), _tools.path(), pictures());
    const pid_t pid = child.pid();
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (child.isRunning() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(child.isRunning());
    EXPECT_TRUE(gone(pid));
    EXPECT_FALSE(child.play({}));
}

// The child gets its pipes and nothing else of the host: not a descriptor the host left open
// without close-on-exec (as a server's connection may be), nor the host's ignored SIGPIPE.
TEST_F(SettingsProcess, StartsWithOnlyItsPipesAndDefaultSignals) {
    const auto probe = _tools.path() / "left-open";
    std::ofstream(probe) << "x";
    const int leftOpen = ::open(probe.c_str(), O_RDONLY);
    ASSERT_GE(leftOpen, 0);
    SettingsChild child(program(kSilentApp), _tools.path(), pictures());
    const auto fds = std::filesystem::path("/proc") / std::to_string(child.pid()) / "fd";
    for (const auto& entry : std::filesystem::directory_iterator(fds)) {
        std::error_code error;
        EXPECT_NE(std::filesystem::read_symlink(entry.path(), error), probe)
            << "inherited as " << entry.path().filename();
    }
    ::close(leftOpen);
    const std::string status =
        contents(std::filesystem::path("/proc") / std::to_string(child.pid()) / "status");
    const auto at = status.find("SigIgn:\t");
    ASSERT_NE(at, std::string::npos);
    const auto ignored = std::stoull(status.substr(at + 8, 16), nullptr, 16);
    EXPECT_EQ(ignored & (1ull << (SIGPIPE - 1)), 0u) << "SIGPIPE is ignored in the child";
}

// A line is one command: one holding a newline is refused unsent, the process kept; and the
// picture file is named so that its folder's blank or '#' cannot cut the command.
TEST_F(SettingsProcess, EveryLineReachesTheAppAsOneCommand) {
    SettingsChild child(program(kAnsweringApp), _tools.path(), pictures());
    ASSERT_TRUE(child.play({"tap General"}));
    EXPECT_EQ(child.page()["title"], "Fake");
    EXPECT_FALSE(child.play({"tap General\nswitch enabled off"}));
    EXPECT_FALSE(child.play({"tap Gen\reral"}));
    EXPECT_TRUE(child.isRunning());
    ASSERT_TRUE(child.play({"back"}));
    EXPECT_EQ(contents(pictures() / "received.txt"),
              "tap General\nsnapshot settings.png\nprint frames\n"
              "back\nsnapshot settings.png\nprint frames\n");
}

// A phone on a fresh home-screen world with Maps and the Settings app, whose Preferences is
// a shell program of the test's.
class LivePhoneTest : public SettingsProcess {
  protected:
    static constexpr const char* kMaps = "com.apple.Maps";

    void SetUp() override {
        SettingsProcess::SetUp();
        HomeScreen::bootWorld({}, false);
        _phone.start();
    }

    ui::Point centreOfIcon(const std::string& app) {
        const auto frame = HomeScreen::iconFrame(app);
        EXPECT_TRUE(frame);
        return frame ? ui::Point{frame->midX(), frame->midY()} : ui::Point{};
    }

    testing_support::DeviceWorld _world;
    testing_support::TemporaryDirectory _pictures{"morvane-live-phone-"};
    HostSession _session;
    LivePhone _phone{_session, {_tools.path(), _world.root(), _pictures.path()}, {kMaps}};
    Finger _finger{_phone};
};

// The hold fires on the clock's look at the phone; a lift that comes after it was due but
// before that look still opens the menu, not the app.
TEST_F(LivePhoneTest, ALiftAfterTheHoldWasDueOpensTheMenu) {
    const ui::Point maps = centreOfIcon(kMaps);
    _finger.down(maps, 100);
    _finger.up(maps, 100 + Finger::kHoldSeconds + 0.05);
    EXPECT_TRUE(IconMenu::isOpen());
    EXPECT_FALSE(_phone.front());

    IconMenu::close();
    _finger.down(maps, 200);
    _finger.up(maps, 200.1);  // a tap launches
    EXPECT_FALSE(IconMenu::isOpen());
    EXPECT_EQ(_phone.front(), kMaps);
}

TEST_F(LivePhoneTest, ASettingsAppThatCannotStartIsAProblemAndTheHomeScreenStays) {
    _phone.launch(LivePhone::kSettingsApp);  // no Preferences in the tools folder
    const auto problems = _phone.takeProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("the Settings app did not start"), std::string::npos);
    EXPECT_EQ(_phone.screen(), LivePhone::Screen::Home);
    EXPECT_TRUE(_phone.takeProblems().empty());  // taken once
}

TEST_F(LivePhoneTest, ASettingsAppThatStopsAnsweringGoesHomeWithAProblem) {
    program(kOnceApp);
    _phone.launch(LivePhone::kSettingsApp);
    ASSERT_EQ(_phone.screen(), LivePhone::Screen::Settings);
    _finger.down({187, 122}, 10);
    _finger.up({187, 122}, 10.1);  // taps General: nobody answers
    const auto problems = _phone.takeProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "the Settings app stopped answering");
    EXPECT_EQ(_phone.screen(), LivePhone::Screen::Home);
}

// A row whose label the script would cut at its '#' is not tapped as another row.
TEST_F(LivePhoneTest, ARowTheScriptCannotNameIsRefusedNotMistaken) {
    program(kAnsweringApp);
    _phone.launch(LivePhone::kSettingsApp);
    ASSERT_EQ(_phone.screen(), LivePhone::Screen::Settings);
    _finger.down({187, 166}, 10);
    _finger.up({187, 166}, 10.1);
    EXPECT_EQ(_phone.takeProblems().size(), 1u);
    EXPECT_EQ(_phone.screen(), LivePhone::Screen::Settings);
    EXPECT_EQ(contents(_pictures.path() / "received.txt"), "snapshot settings.png\nprint frames\n");
}

// The clock's look at the phone runs inside the main loop: it must not serve the loop's other
// sources (HTTP tasks, itself) from within.
TEST_F(LivePhoneTest, TheRestartCheckLeavesTheMainLoopsSourcesToTheMainLoop) {
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
    ASSERT_EQ(::write(ends[1], "x", 1), 1);
    int served = 0;
    auto& loop = core::RunLoop::main();
    const auto source = loop.addSource(ends[0], [&] { ++served; });
    _phone.restartIfAsked();
    EXPECT_EQ(served, 0);
    loop.removeSource(source);
    ::close(ends[0]);
    ::close(ends[1]);
}

}  // namespace
