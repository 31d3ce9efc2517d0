// The host's picture commands: snapshot, plot and --snapshots, on the real SpringBoard.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include <sys/stat.h>
#include <string>

#include "render/Picture.h"
#include "render/ScreenModel.h"
#include "support/Subprocess.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;
using testing_support::shellQuote;

namespace {

int play(const fs::path& directory, const std::string& scenario, const std::string& options,
         std::string* output = nullptr) {
    std::ofstream(directory / "test.scenario") << scenario;
    return testing_support::run("cd " + shellQuote(directory) + " && " + SPRINGBOARD_HOST + " " +
                                    options + " test.scenario 2>&1",
                                output);
}

}  // namespace

TEST(PictureCommands, SnapshotAndPlotWritePicturesRelativeToTheCurrentDirectory) {
    testing_support::TemporaryDirectory directory;
    std::string output;
    ASSERT_EQ(play(directory.path(),
                   "app com.example.maps\n"
                   "snapshot home.png\n"
                   "launch com.example.maps\n"
                   "wait 1\n"
                   "snapshot " +
                       (directory.path() / "maps.png").string() +
                       "\n"
                       "plot plot.png\n",
                   "", &output),
              0)
        << output;
    const auto home = render::Picture::readPng(directory.path() / "home.png");
    const auto maps = render::Picture::readPng(directory.path() / "maps.png");
    ASSERT_TRUE(home && maps);
    EXPECT_EQ(home->pixelWidth(), render::ScreenModel::kWidth * render::ScreenModel::kScale);
    EXPECT_EQ(home->pixelHeight(), render::ScreenModel::kHeight * render::ScreenModel::kScale);
    EXPECT_FALSE(home->samePixelsAs(*maps));
    EXPECT_TRUE(render::Picture::readPng(directory.path() / "plot.png"));
}

TEST(PictureCommands, AFileThatCannotBeWrittenOrAMissingNameStopsTheScenario) {
    testing_support::TemporaryDirectory directory;
    std::string output;
    EXPECT_EQ(play(directory.path(), "snapshot no/such/dir/x.png\n", "", &output), 1);
    EXPECT_NE(output.find("cannot write the picture"), std::string::npos) << output;
    EXPECT_EQ(play(directory.path(), "plot\n", "", &output), 1);
    EXPECT_NE(output.find("expected: plot <file.png>"), std::string::npos) << output;
}

TEST(PictureCommands, SnapshotsAreWrittenOnlyAfterCommandsThatChangedTheScreen) {
    testing_support::TemporaryDirectory directory;
    std::string output;
    ASSERT_EQ(play(directory.path(),
                   "app com.example.maps\n"
                   "print device\n"
                   "expect volume 0.5\n"
                   "user switch dnd on\n"
                   "user switch dnd on\n",
                   "--snapshots shots", &output),
              0)
        << output;
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory.path() / "shots"))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"0000-start.png", "0001-app.png", "0002-user.png"}));
}

// A pipe at the target of snapshot, plot or the first picture of --snapshots stops the
// scenario with a message and stays a pipe (a reader of it would otherwise be fed, or the
// special file replaced).
TEST(PictureCommands, ATargetThatIsNoRegularFileStopsTheScenarioAndStaysAsItWas) {
    testing_support::TemporaryDirectory directory;
    fs::create_directory(directory.path() / "shots");
    for (const char* name : {"pipe.png", "shots/0000-start.png"})
        ASSERT_EQ(::mkfifo((directory.path() / name).c_str(), 0644), 0);
    std::string output;
    for (const char* command : {"snapshot", "plot"}) {
        EXPECT_EQ(play(directory.path(), std::string(command) + " pipe.png\n", "", &output), 1)
            << command;
        EXPECT_NE(output.find("pipe.png: it exists and is not a regular file"), std::string::npos)
            << output;
    }
    EXPECT_NE(play(directory.path(), "app com.example.maps\n", "--snapshots shots", &output), 0);
    EXPECT_NE(output.find("0000-start.png: it exists and is not a regular file"), std::string::npos)
        << output;
    EXPECT_EQ(fs::symlink_status(directory.path() / "pipe.png").type(), fs::file_type::fifo);
    EXPECT_EQ(fs::symlink_status(directory.path() / "shots/0000-start.png").type(),
              fs::file_type::fifo);
}
