// ValuesEditor on the phone's shell: list, export and import of every app's values, each in a
// process of its own on a device root, checked against the values file on disk.
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/notify/NotifyCenter.h"
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"
#include "support/Subprocess.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;
using testing_support::shellQuote;

namespace {

const std::string kEditor = VALUES_EDITOR;
const std::string kStoreWriter = STORE_WRITER;
const std::string kPreferencesHost = PREFERENCES_HOST;
constexpr const char* kValuesFile = "var/mobile/Library/Preferences/com.kelvrin.morvane.plist";

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void spill(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A phone's values file as the home screen writes it: `count` apps, each with a volume, every
// other one a brightness and every third one two toggles, and two settings.
core::PlistDictionary manyApps(int count) {
    std::vector<core::PlistDictionary::Entry> entries{{"enabled", true}, {"showVolumeItem", false}};
    for (int index = 0; index < count; ++index) {
        const std::string app = "com.example.app" + std::to_string(index);
        entries.emplace_back(app + "-volume", static_cast<float>(index % 101) / 100.0f);
        if (index % 2) entries.emplace_back(app + "-brightness", 0.7f);
        if (index % 3 == 0)
            entries.emplace_back(app + "-toggles", core::PlistDictionary{{"wifi", std::int32_t{1}},
                                                                         {"dnd", std::int32_t{0}}});
    }
    return core::PlistDictionary(std::move(entries));
}

class ValuesEditorTest : public ::testing::Test {
  protected:
    fs::path valuesFile(const testing_support::TemporaryDirectory& root) const {
        return root.path() / kValuesFile;
    }
    void writeValues(const core::PlistDictionary& values) {
        fs::create_directories(valuesFile(_root).parent_path());
        ASSERT_TRUE(core::writePropertyListFile(valuesFile(_root), values, core::PlistFormat::Xml));
    }
    core::PlistDictionary onDisk(const testing_support::TemporaryDirectory& root) const {
        return core::dictionaryWithContentsOfFile(valuesFile(root)).value_or(core::PlistDictionary{});
    }
    // Runs the tool on a root; standard error joins standard output.
    int editor(const std::string& words, std::string* output = nullptr) const {
        return editorOn(_root, words, output);
    }
    int editorOn(const testing_support::TemporaryDirectory& root, const std::string& words,
                 std::string* output = nullptr) const {
        return testing_support::run(
            shellQuote(kEditor) + " --root " + shellQuote(root.path()) + " " + words + " 2>&1",
            output);
    }
    std::string file(const std::string& name) const { return (_files.path() / name).string(); }

    testing_support::TemporaryDirectory _root;
    testing_support::TemporaryDirectory _files;
};

// Counts, from the moment it is made, the reload notifications posted on a root and the
// values files renamed into place.
class PostsAndWrites {
  public:
    explicit PostsAndWrites(const fs::path& root)
        : _notifications(root / "var/run/notifyd"), _preferences(root / kValuesFile) {
        fs::create_directories(_notifications);
        fs::create_directories(_preferences.parent_path());
        _descriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        _notifyWatch = ::inotify_add_watch(_descriptor, _notifications.c_str(), IN_CLOSE_WRITE);
        _filesWatch = ::inotify_add_watch(_descriptor, _preferences.parent_path().c_str(), IN_MOVED_TO);
    }
    ~PostsAndWrites() { ::close(_descriptor); }

    // {posts, writes} seen so far.
    std::pair<int, int> count() {
        alignas(inotify_event) char buffer[65536];
        const std::string reload = core::NotifyCenter::fileNameFor("com.kelvrin.morvane/ReloadPrefs");
        for (ssize_t length; (length = ::read(_descriptor, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                const std::string name = event->len ? event->name : "";
                if (event->wd == _notifyWatch && name == reload) ++_posts;
                if (event->wd == _filesWatch && name == _preferences.filename()) ++_writes;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return {_posts, _writes};
    }

  private:
    fs::path _notifications;
    fs::path _preferences;
    int _descriptor = -1;
    int _notifyWatch = -1;
    int _filesWatch = -1;
    int _posts = 0;
    int _writes = 0;
};

}  // namespace

TEST_F(ValuesEditorTest, TenThousandAppsComeBackByteForByteThroughEveryForm) {
    core::PlistDictionary values = manyApps(10000);
    values.remove("enabled");
    values.remove("showVolumeItem");
    writeValues(values);
    const std::string original = slurp(valuesFile(_root));
    for (const std::string form : {"--json", "--xml", "--binary"}) {
        SCOPED_TRACE(form);
        const std::string exported = file("export" + form);
        std::string output;
        ASSERT_EQ(editor("export " + form + " " + shellQuote(exported), &output), 0) << output;
        testing_support::TemporaryDirectory empty;
        ASSERT_EQ(editorOn(empty, "import " + shellQuote(exported), &output), 0) << output;
        EXPECT_TRUE(slurp(valuesFile(empty)) == original) << "the imported file differs";
    }
}

TEST_F(ValuesEditorTest, ExportHoldsOnlyTheAppsValuesInFormsPythonReads) {
    writeValues(manyApps(4));
    std::string json;
    ASSERT_EQ(editor("export", &json), 0);
    EXPECT_EQ(json.find("enabled"), std::string::npos) << "a setting was exported: " << json;
    EXPECT_NE(json.find("\"com.example.app0\": {\"volume\": 0, \"toggles\": {\"wifi\": true, "
                        "\"dnd\": false}}"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"com.example.app1\": {\"volume\": 0.01, \"brightness\": 0.7}"),
              std::string::npos)
        << json;
    const std::string check =
        "import plistlib, sys\n"
        "d = plistlib.load(open(sys.argv[1], 'rb'))\n"
        "assert 'enabled' not in d and 'showVolumeItem' not in d, d\n"
        "assert len(d) == 4 + 2 + 2, sorted(d)\n"
        "assert abs(d['com.example.app3-volume'] - 0.03) < 1e-6, d\n"
        "assert abs(d['com.example.app1-brightness'] - 0.7) < 1e-6, d\n"
        "assert d['com.example.app3-toggles'] == {'wifi': 1, 'dnd': 0}, d\n"
        "print('ok')\n";
    spill(file("check.py"), check);
    for (const std::string form : {"--xml", "--binary"}) {
        SCOPED_TRACE(form);
        ASSERT_EQ(editor("export " + form + " " + shellQuote(file("values.plist"))), 0);
        std::string output;
        EXPECT_EQ(testing_support::run("/usr/bin/python3 " + shellQuote(file("check.py")) + " " +
                                           shellQuote(file("values.plist")) + " 2>&1",
                                       &output),
                  0)
            << output;
    }
}

TEST_F(ValuesEditorTest, MergeSetsWhatTheFileGivesAndReplaceDropsTheOtherApps) {
    writeValues(core::PlistDictionary{
        {"enabled", false},
        {"com.a-volume", 0.2f},
        {"com.a-toggles", core::PlistDictionary{{"wifi", std::int32_t{1}}}},
        {"com.b-brightness", 0.5f}});
    spill(file("in.json"),
          R"({"apps": {"com.a": {"toggles": {"bluetooth": false}}, "com.c": {"volume": 0.9}}})");
    ASSERT_EQ(editor("import " + shellQuote(file("in.json"))), 0);
    core::PlistDictionary merged = onDisk(_root);
    EXPECT_EQ(*merged.find("com.a-volume"), core::PlistValue(0.2f));
    EXPECT_EQ(*merged.find("com.a-toggles"),
              core::PlistValue(core::PlistDictionary{{"wifi", std::int32_t{1}},
                                                     {"bluetooth", std::int32_t{0}}}));
    EXPECT_TRUE(merged.contains("com.b-brightness"));
    EXPECT_EQ(*merged.find("com.c-volume"), core::PlistValue(0.9f));
    EXPECT_EQ(*merged.find("enabled"), core::PlistValue(false));

    ASSERT_EQ(editor("import " + shellQuote(file("in.json")) + " --replace"), 0);
    const core::PlistDictionary replaced = onDisk(_root);
    EXPECT_EQ(replaced,
              (core::PlistDictionary{
                  {"enabled", false},
                  {"com.a-toggles", core::PlistDictionary{{"bluetooth", std::int32_t{0}}}},
                  {"com.c-volume", 0.9f}}));
}

TEST_F(ValuesEditorTest, AnInvalidImportIsNamedAndLeavesTheFileByteIdentical) {
    writeValues(manyApps(3));
    const std::string before = slurp(valuesFile(_root));
    const std::vector<std::pair<std::string, std::string>> cases{
        {R"({"apps": {"com.a": {"toggles": {"wifii": true}}}})", "wifii"},
        {R"({"apps": {"com.a": {"volume": 1.5}}})", "com.a.volume"},
        {R"({"apps": {"com.a": {"brightness": -0.1}}})", "com.a.brightness"},
        {R"({"apps": {"com.a": {"volume": "loud"}}})", "com.a.volume"},
        {R"({"apps": {"com.a": {"volume": true}}})", "com.a.volume"},
        {R"({"apps": {"com.a": {"toggles": {"wifi": 1}}}})", "com.a.toggles.wifi"},
        {R"({"apps": {"com.a": {"toggles": ["wifi"]}}})", "com.a.toggles"},
        {R"({"apps": {"com..a": {"volume": 0.5}}})", "com..a"},
        {R"({"apps": {"com a": {"volume": 0.5}}})", "com a"},
        {R"({"apps": {"com.a": {"volume": 0.5}, "com.b": {"loudness": 0.5}}})", "com.b.loudness"},
        {R"({"apps": {"com.a": {"volume": 0.5})", "not valid JSON"},
        {R"({"values": {}})", "apps"},
        {"<plist><dict><key>enabled</key><true/></dict></plist>", "enabled"},
        {"<plist><dict><key>com.a-toggles</key><dict><key>wifi</key><integer>2</integer>"
         "</dict></dict></plist>",
         "com.a-toggles.wifi"},
        {"<plist><dict><key>com.a-volume</key><string>x</string></dict></plist>", "com.a-volume"},
        {"<plist><dict><key>-volume</key><real>0.5</real></dict>", "property list"},
        {"volume=0.5", "neither JSON nor a property list"},
    };
    PostsAndWrites seen(_root.path());
    for (const auto& [content, named] : cases) {
        SCOPED_TRACE(content);
        spill(file("bad"), content);
        for (const std::string mode : {"", " --replace"}) {
            std::string output;
            EXPECT_EQ(editor("import " + shellQuote(file("bad")) + mode, &output), 1);
            EXPECT_NE(output.find(named), std::string::npos) << output;
            EXPECT_TRUE(slurp(valuesFile(_root)) == before);
        }
    }
    EXPECT_EQ(seen.count(), std::make_pair(0, 0)) << "an invalid import wrote or posted";
}

TEST_F(ValuesEditorTest, AValidImportIsOneWriteAndOnePostAndADryRunNeither) {
    writeValues(manyApps(3));
    const std::string before = slurp(valuesFile(_root));
    spill(file("in.json"),
          R"({"apps": {"com.example.app0": {"volume": 0.5}, "com.new": {"brightness": 0.25}}})");
    PostsAndWrites seen(_root.path());
    std::string output;
    ASSERT_EQ(editor("import " + shellQuote(file("in.json")) + " --replace --dry-run", &output), 0);
    EXPECT_NE(output.find("change com.example.app0: Volume 0% · 2 toggles -> Volume 50%"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("add com.new: Brightness 25%"), std::string::npos) << output;
    EXPECT_NE(output.find("remove com.example.app1: Volume 1% · Brightness 70%"), std::string::npos)
        << output;
    EXPECT_NE(output.find("1 added, 1 changed, 2 removed"), std::string::npos) << output;
    EXPECT_TRUE(slurp(valuesFile(_root)) == before);
    EXPECT_EQ(seen.count(), std::make_pair(0, 0));

    ASSERT_EQ(editor("import - < " + shellQuote(file("in.json")), &output), 0) << output;
    EXPECT_EQ(seen.count(), std::make_pair(1, 1));
    EXPECT_EQ(*onDisk(_root).find("com.new-brightness"), core::PlistValue(0.25f));
}

TEST_F(ValuesEditorTest, ImportsBesideTheHomeScreensStoreLoseNothing) {
    std::vector<std::unique_ptr<testing_support::Subprocess>> writers;
    writers.push_back(std::make_unique<testing_support::Subprocess>(
        shellQuote(kStoreWriter) + " --root " + shellQuote(_root.path()) + " store 150"));
    for (int batch = 0; batch < 15; ++batch) {
        std::string apps;
        for (int index = 0; index < 10; ++index) {
            apps += std::string(apps.empty() ? "" : ", ") + "\"import.b" + std::to_string(batch) +
                    "." + std::to_string(index) + "\": {\"volume\": 0.25}";
        }
        spill(file("batch" + std::to_string(batch)), "{\"apps\": {" + apps + "}}");
    }
    writers.push_back(std::make_unique<testing_support::Subprocess>(
        "for b in $(seq 0 14); do " + shellQuote(kEditor) + " --root " + shellQuote(_root.path()) +
        " import " + shellQuote(_files.path().string()) + "/batch$b || echo failed; done"));
    std::string stored;
    std::string imports;
    EXPECT_EQ(writers[0]->wait(&stored), 0);
    EXPECT_EQ(writers[1]->wait(&imports), 0);
    EXPECT_EQ(imports.find("failed"), std::string::npos) << imports;
    const core::PlistDictionary values = onDisk(_root);
    int lost = 0;
    for (int index = 0; index < 150; ++index)
        lost += values.contains("store." + std::to_string(index) + "-volume") ? 0 : 1;
    for (int batch = 0; batch < 15; ++batch)
        for (int index = 0; index < 10; ++index)
            lost += values.contains("import.b" + std::to_string(batch) + "." +
                                    std::to_string(index) + "-volume")
                        ? 0
                        : 1;
    EXPECT_EQ(lost, 0);
}

TEST_F(ValuesEditorTest, ListShowsWhatTheHomeScreenReads) {
    writeValues(core::PlistDictionary{
        {"com.a-volume", 0.2f},
        {"com.a-toggles", core::PlistDictionary{{"wifi", std::int32_t{1}}, {"teleport", 1}}},
        {"com.b-volume", "loud"},
        {"com.b-brightness", -1.0},
        {"com.c-brightness", 1.5}});
    std::string table;
    ASSERT_EQ(editor("list", &table), 0);
    EXPECT_EQ(table,
              "APP     VOLUME  BRIGHTNESS  TOGGLES\n"
              "com.a   20%     -           wifi on\n"
              "com.c   -       100%        -\n");
    std::string json;
    ASSERT_EQ(editor("list --json", &json), 0);
    std::string exported;
    ASSERT_EQ(editor("export --json", &exported), 0);
    EXPECT_EQ(json, exported);
    EXPECT_EQ(json,
              "{\"apps\": {\n  \"com.a\": {\"volume\": 0.2, \"toggles\": {\"wifi\": true}},\n"
              "  \"com.c\": {\"brightness\": 1}\n}}\n");
}

TEST_F(ValuesEditorTest, UsageAndFailuresHaveTheirOwnExitStatus) {
    std::string output;
    EXPECT_EQ(editor("--help", &output), 0);
    for (const char* command : {"store", "setting", "list", "export", "import", "--dry-run"})
        EXPECT_NE(output.find(command), std::string::npos) << command;
    EXPECT_EQ(editor("", &output), 2);
    EXPECT_EQ(editor("import", &output), 2);
    EXPECT_EQ(editor("export --json --xml", &output), 2);
    EXPECT_EQ(editor("import a b", &output), 2);
    EXPECT_EQ(editor("store 'bad id' volume 0.5", &output), 2);
    EXPECT_EQ(editor("store com.a toggle teleport on", &output), 2);
    EXPECT_EQ(editor("import " + shellQuote(file("missing.json")), &output), 1);
    EXPECT_NE(output.find("missing.json"), std::string::npos) << output;
    spill(valuesFile(_root), "not a property list");
    EXPECT_EQ(editor("export", &output), 1) << "an unreadable file is not exported as empty";
    EXPECT_EQ(editor("list", &output), 1);
}

TEST_F(ValuesEditorTest, ThePhoneRunsItsOwnCopyWithDevicePaths) {
    std::string output;
    ASSERT_EQ(testing_support::run(shellQuote(kPreferencesHost) + " --root " +
                                       shellQuote(_root.path()) + " < /dev/null 2>&1",
                                   &output),
              0)
        << output;
    const fs::path installed = _root.path() / "usr/bin/ValuesEditor";
    ASSERT_TRUE(fs::is_regular_file(installed));
    writeValues(manyApps(2));
    const std::string phone = "MORVANE_DEVICE_ROOT=" + shellQuote(_root.path()) + " " +
                              shellQuote(installed.string()) + " ";
    ASSERT_EQ(testing_support::run(phone + "export --xml /var/mobile/values.plist 2>&1", &output), 0)
        << output;
    const auto exported = core::dictionaryWithContentsOfFile(_root.path() / "var/mobile/values.plist");
    ASSERT_TRUE(exported);
    EXPECT_TRUE(exported->contains("com.example.app1-brightness"));
    EXPECT_EQ(testing_support::run(phone + "import values.plist 2>&1", &output), 1)
        << "a relative path names nothing on the phone";
}
