// Several processes writing the values file at once, hostile files in its place, and a device
// root raced with links: the tools and the tweak's store, each in a process of its own.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/plist/PlistReader.h"
#include "support/LinkSwapper.h"
#include "support/Subprocess.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;
using testing_support::shellQuote;

namespace {

const std::string kEditor = VALUES_EDITOR;
const std::string kStoreWriter = STORE_WRITER;
const std::string kPlatformLibrary = PLATFORM_LIBRARY;
constexpr const char* kPreferences = "var/mobile/Library/Preferences";
constexpr const char* kFileName = "com.kelvrin.morvane.plist";
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kUnderSanitizer = true;
#else
constexpr bool kUnderSanitizer = false;
#endif

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) result.push_back(line);
    return result;
}

// A shell loop that stores one volume for each of COUNT apps with ValuesEditor and prints the
// apps whose store succeeded.
std::string editorLoop(const fs::path& root, const std::string& prefix, int count) {
    return "for i in $(seq 0 " + std::to_string(count - 1) + "); do " + shellQuote(kEditor) +
           " --root " + shellQuote(root) + " store " + prefix + ".$i volume 0.5 2>/dev/null && " +
           "echo " + prefix + ".$i; done";
}

// Lets every user through `directory` and each directory above it up to the system's
// temporary directory.
void makeReachable(const fs::path& directory) {
    const fs::path top = fs::temp_directory_path();
    for (fs::path step = directory; step != top && step != step.parent_path();
         step = step.parent_path())
        fs::permissions(step, fs::perms::all);
}

std::string storeLoop(const fs::path& root, const std::string& prefix, int count) {
    return shellQuote(kStoreWriter) + " --root " + shellQuote(root) + " " + prefix + " " +
           std::to_string(count);
}

class WritersTest : public ::testing::Test {
  protected:
    fs::path preferences() const { return _root.path() / kPreferences; }
    fs::path valuesFile() const { return preferences() / kFileName; }
    core::PlistDictionary onDisk() const {
        return core::dictionaryWithContentsOfFile(valuesFile()).value_or(core::PlistDictionary{});
    }
    int edit(const std::string& words, std::string* output = nullptr,
             const std::string& environment = "") const {
        return testing_support::run(environment + shellQuote(kEditor) + " --root " +
                                        shellQuote(_root.path()) + " " + words + " 2>&1",
                                    output);
    }
    testing_support::TemporaryDirectory _root;
};

}  // namespace

TEST_F(WritersTest, EveryStoreThatReportedSuccessIsInTheFileWhateverTheWritersAtOnce) {
    std::vector<std::unique_ptr<testing_support::Subprocess>> writers;
    // Each store is flushed to disk under the lock, one after another: the counts keep the
    // test short while every writer still overlaps the others many times.
    for (int editor = 0; editor < 4; ++editor) {
        writers.push_back(std::make_unique<testing_support::Subprocess>(
            editorLoop(_root.path(), "editor" + std::to_string(editor), 50)));
    }
    writers.push_back(
        std::make_unique<testing_support::Subprocess>(storeLoop(_root.path(), "store", 100)));
    std::vector<std::string> succeeded;
    for (auto& writer : writers) {
        std::string output;
        EXPECT_EQ(writer->wait(&output), 0);
        for (auto& app : lines(output)) succeeded.push_back(app);
    }
    EXPECT_EQ(succeeded.size(), 300u) << "no store fails with a lock held for short turns";
    const core::PlistDictionary values = onDisk();
    int lost = 0;
    for (const auto& app : succeeded) lost += values.contains(app + "-volume") ? 0 : 1;
    EXPECT_EQ(lost, 0) << "stores reported as done but missing from the file";
}

TEST_F(WritersTest, ALockHeldBeyondTheWaitFailsTheWriteWithAMessage) {
    ASSERT_EQ(edit("store com.example.maps volume 0.5"), 0);
    const std::string before = slurp(valuesFile());
    // Another process (this one) holds the file's lock for the whole test.
    const int lock = ::open((valuesFile().string() + ".lock").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    const std::string shortWait = "MORVANE_PREFERENCE_LOCK_WAIT_MS=300 ";
    std::string output;
    EXPECT_EQ(edit("store com.example.mail volume 0.2", &output, shortWait), 1);
    EXPECT_NE(output.find("lock"), std::string::npos) << output;
    std::string stored;
    EXPECT_EQ(testing_support::run(shortWait + storeLoop(_root.path(), "store", 2), &stored), 0);
    EXPECT_EQ(stored, "") << "the tweak's store reports the failed write";
    EXPECT_EQ(slurp(valuesFile()), before);
    ::close(lock);
    std::string afterwards;
    EXPECT_EQ(edit("store com.example.mail volume 0.2", &afterwards, shortWait), 0) << afterwards;
}

TEST_F(WritersTest, AnUnreadableFileIsKeptAsideBeforeTheEditorReplacesIt) {
    const std::vector<std::pair<std::string, std::string>> unreadable = {
        {"garbage", "\x01\x02 not a property list"},
        {"truncated binary", std::string("bplist00\xd1\x01\x02", 11)},
        {"another top-level kind", "<plist version=\"1.0\"><array/></plist>"},
    };
    for (const auto& [what, bytes] : unreadable) {
        fs::remove_all(preferences());
        fs::create_directories(preferences());
        std::ofstream(valuesFile(), std::ios::binary) << bytes;
        std::string output;
        EXPECT_EQ(edit("store com.example.maps volume 0.5", &output), 0) << what << output;
        EXPECT_EQ(slurp(valuesFile().string() + ".unreadable"), bytes) << what;
        EXPECT_TRUE(onDisk().contains("com.example.maps-volume")) << what;
        EXPECT_NE(output.find(".unreadable"), std::string::npos) << what << output;
    }
}

TEST_F(WritersTest, FilesThatEvenTheSuperuserCannotReadAreKeptAsideToo) {
    fs::create_directories(valuesFile());  // a directory in the file's place
    std::ofstream(valuesFile() / "inside") << "kept";
    EXPECT_EQ(edit("store com.example.maps volume 0.5"), 0);
    EXPECT_TRUE(fs::is_directory(valuesFile().string() + ".unreadable"));
    EXPECT_TRUE(onDisk().contains("com.example.maps-volume"));

    // Larger than any reader reads: sparse, so it costs no disk.
    fs::remove(valuesFile());
    { std::ofstream(valuesFile()) << "<plist>"; }
    fs::resize_file(valuesFile(), (std::uintmax_t{256} << 20) + 1);
    EXPECT_EQ(edit("store com.example.mail volume 0.5"), 0);
    EXPECT_EQ(fs::file_size(valuesFile().string() + ".unreadable-2"),
              (std::uintmax_t{256} << 20) + 1);
    EXPECT_TRUE(onDisk().contains("com.example.mail-volume"));
}

TEST_F(WritersTest, AFileWithoutReadPermissionIsKeptAsideAndTheNewOneIsReadable) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs to run the editor as another user";
    if (testing_support::run("command -v setpriv >/dev/null") != 0)
        GTEST_SKIP() << "setpriv (util-linux) is not installed";
    // The editor runs as an unprivileged user who may write the directory but not read a
    // file of mode 000 (the superuser would read it).
    fs::create_directories(preferences());
    makeReachable(preferences());
    std::ofstream(valuesFile()) << "<plist version=\"1.0\"><dict/></plist>";
    fs::permissions(valuesFile(), fs::perms::none);
    // The built editor may sit in a private directory (a clone inside `mktemp -d`): that user
    // runs a copy of it, with the platform library beside it, from a directory of its own.
    testing_support::TemporaryDirectory programs;
    makeReachable(programs.path());
    const fs::path editor = programs.path() / "ValuesEditor";
    fs::copy_file(kEditor, editor);
    fs::copy_file(kPlatformLibrary, programs.path() / fs::path(kPlatformLibrary).filename());
    std::string output;
    EXPECT_EQ(testing_support::run("LD_LIBRARY_PATH=" + shellQuote(programs.path()) +
                                       " setpriv --reuid=65534 --regid=65534 --clear-groups " +
                                       shellQuote(editor) + " --root " + shellQuote(_root.path()) +
                                       " store com.example.maps volume 0.5 2>&1",
                                   &output),
              0)
        << output;
    EXPECT_TRUE(fs::exists(valuesFile().string() + ".unreadable"));
    const auto mode = fs::status(valuesFile()).permissions();
    EXPECT_NE(mode & fs::perms::owner_read, fs::perms::none);
    EXPECT_NE(mode & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(testing_support::run("setpriv --reuid=65534 --regid=65534 --clear-groups cat " +
                                   shellQuote(valuesFile()) + " >/dev/null 2>&1"),
              0)
        << "the user who stored the value can read it back";
}

TEST_F(WritersTest, NothingIsWrittenWhenTheUnreadableFileCannotBeKeptAside) {
    fs::create_directories(preferences());
    std::ofstream(valuesFile()) << "garbage";
    // Every name an unreadable file may be kept under is taken.
    std::ofstream(valuesFile().string() + ".unreadable") << "taken";
    for (int suffix = 2; suffix <= 100; ++suffix)
        std::ofstream(valuesFile().string() + ".unreadable-" + std::to_string(suffix)) << "taken";
    std::string output;
    EXPECT_EQ(edit("store com.example.maps volume 0.5", &output), 1);
    EXPECT_NE(output.find("nothing was written"), std::string::npos) << output;
    EXPECT_EQ(slurp(valuesFile()), "garbage");
    std::string stored;
    EXPECT_EQ(testing_support::run(storeLoop(_root.path(), "store", 1), &stored), 0);
    EXPECT_EQ(stored, "");
    EXPECT_EQ(slurp(valuesFile()), "garbage");
}

TEST_F(WritersTest, TemporariesOfKilledWritersGoAtTheNextWriteAndALiveWritersStay) {
    fs::create_directories(preferences());
    // A process id that runs no process: a child that has been waited for.
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string prefix = "." + std::string(kFileName) + ".";
    const fs::path stale = preferences() / (prefix + std::to_string(gone) + ".123.tmp");
    const fs::path live = preferences() / (prefix + std::to_string(::getpid()) + ".456.tmp");
    const fs::path other = preferences() / ".other.plist.999999.1.tmp";
    for (const auto& path : {stale, live, other}) std::ofstream(path) << "partial";
    EXPECT_EQ(edit("store com.example.maps volume 0.5"), 0);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live)) << "its writer still runs";
    EXPECT_TRUE(fs::exists(other)) << "a temporary of another file";
}

using testing_support::LinkSwapper;

TEST_F(WritersTest, APreferencesDirectorySwappedForALinkOutOfTheRootLeadsNoWriteOut) {
    testing_support::TemporaryDirectory outside;
    fs::create_directories(preferences());
    ASSERT_EQ(edit("store com.example.first volume 0.5"), 0);
    LinkSwapper swapper(preferences(), outside.path());
    std::string ignored;
    // Fewer runs where every process starts under a sanitizer, to stay within the time limit.
    const int scale = kUnderSanitizer ? 4 : 1;
    testing_support::run(editorLoop(_root.path(), "editor", 150 / scale) + " >/dev/null", &ignored);
    testing_support::run(storeLoop(_root.path(), "store", 400 / scale) + " >/dev/null", &ignored);
    const long rounds = swapper.stop();
    EXPECT_GT(rounds, 1000);
    EXPECT_TRUE(fs::is_empty(outside.path()))
        << "written outside the root: " << fs::directory_iterator(outside.path())->path();
}

// The tweak's store inside a running home screen: the user saves a volume for each of many
// apps from their icon menus while two other processes store values of their own. Every save
// the menu showed as done, and every store an editor reported, is in the file at the end.
TEST_F(WritersTest, SavesFromIconMenusInARunningHostLoseNothingBesideOtherWriters) {
    constexpr int kApps = 30;
    std::ostringstream scenario;
    for (int app = 0; app < kApps; ++app) scenario << "app com.example.menu" << app << "\n";
    for (int app = 0; app < kApps; ++app) {
        scenario << "press com.example.menu" << app
                 << "\nwait 0.2\nchoose Volume\ndrag 0.3\nwait 0.6\n"
                 << "expect menu.subtitle.Volume Custom value: 30%\ndismiss\n";
    }
    const fs::path script = _root.path() / "saves.scenario";
    std::ofstream(script) << scenario.str();
    std::vector<std::unique_ptr<testing_support::Subprocess>> editors;
    for (int editor = 0; editor < 2; ++editor) {
        editors.push_back(std::make_unique<testing_support::Subprocess>(
            editorLoop(_root.path(), "editor" + std::to_string(editor), 30)));
    }
    std::string hostOutput;
    const int host =
        testing_support::run(std::string(SPRINGBOARD_HOST) + " --root " + shellQuote(_root.path()) +
                                 " --keep " + shellQuote(script) + " 2>&1",
                             &hostOutput);
    std::vector<std::string> succeeded;
    for (auto& editor : editors) {
        std::string output;
        EXPECT_EQ(editor->wait(&output), 0);
        for (auto& app : lines(output)) succeeded.push_back(app);
    }
    ASSERT_EQ(host, 0) << hostOutput;  // every save was shown as done
    for (int app = 0; app < kApps; ++app)
        succeeded.push_back("com.example.menu" + std::to_string(app));
    const core::PlistDictionary values = onDisk();
    int lost = 0;
    for (const auto& app : succeeded) lost += values.contains(app + "-volume") ? 0 : 1;
    EXPECT_EQ(lost, 0) << "saves reported as done but missing from the file";
    EXPECT_EQ(succeeded.size(), static_cast<std::size_t>(kApps + 60));
}
