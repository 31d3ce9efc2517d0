// The Preferences host's snapshot command, on the real pane.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <string>

#include "render/Picture.h"
#include "render/ScreenModel.h"
#include "support/Subprocess.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;
using testing_support::shellQuote;

namespace {

int play(const fs::path& directory, const std::string& script, std::string* output) {
    std::ofstream(directory / "test.script") << script;
    return testing_support::run(
        "cd " + shellQuote(directory) + " && " + PREFERENCES_HOST + " test.script 2>&1", output);
}

render::Pixel at(const render::Picture& picture, double x, double y) {
    return picture.pixel(static_cast<int>(x * render::ScreenModel::kScale),
                         static_cast<int>(y * render::ScreenModel::kScale));
}

// The pane's bar: its accent (0.82, 0.349, 0.243) made for 85 % opacity over white.
void expectPaneBarColour(const render::Pixel& pixel) {
    EXPECT_NEAR(pixel.red, (0.82 - 0.15) / 0.85 * 255, 2);
    EXPECT_NEAR(pixel.green, (0.349 - 0.15) / 0.85 * 255, 2);
    EXPECT_NEAR(pixel.blue, (0.243 - 0.15) / 0.85 * 255, 2);
}

}  // namespace

// The root page, then a sub-page: the bar keeps the pane's colour, and the root page's last
// link row (about 577 points down, on a white card) no longer shows under the shorter page.
TEST(PaneSnapshot, DrawsThePaneAndOnlyThePageInFront) {
    testing_support::TemporaryDirectory directory;
    std::string output;
    ASSERT_EQ(play(directory.path(),
                   "open Morvane\n"
                   "snapshot root.png\n"
                   "goto showVolumeHUD\n"
                   "snapshot " +
                       (directory.path() / "sub.png").string() + "\n",
                   &output),
              0)
        << output;
    const auto root = render::Picture::readPng(directory.path() / "root.png");
    const auto sub = render::Picture::readPng(directory.path() / "sub.png");
    ASSERT_TRUE(root && sub);
    EXPECT_EQ(root->pixelWidth(), render::ScreenModel::kWidth * render::ScreenModel::kScale);
    EXPECT_EQ(root->pixelHeight(), render::ScreenModel::kHeight * render::ScreenModel::kScale);
    // The bar's colour where neither the back button nor a title is drawn.
    expectPaneBarColour(at(*root, 365, 60));
    expectPaneBarColour(at(*root, 10, 5));
    expectPaneBarColour(at(*sub, 365, 60));
    // The back button's chevron, in the bar's white tint, at its leading edge.
    EXPECT_GT(at(*root, 10, 42).luma(), 200);
    EXPECT_GT(at(*sub, 10, 42).luma(), 200);

    const render::Pixel rootRow = at(*root, 150, 577);
    const render::Pixel emptyBelowSubPage = at(*sub, 150, 577);
    EXPECT_EQ(rootRow.red, 255);
    EXPECT_LT(emptyBelowSubPage.red, 245);
    EXPECT_EQ(emptyBelowSubPage, at(*sub, 150, 650));  // the plain grey background
}

TEST(PaneSnapshot, AFileThatCannotBeWrittenOrAMissingNameStopsTheScript) {
    testing_support::TemporaryDirectory directory;
    std::string output;
    EXPECT_EQ(play(directory.path(), "open Morvane\nsnapshot no/such/dir/x.png\n", &output), 1);
    EXPECT_NE(output.find("cannot write the picture"), std::string::npos) << output;
    EXPECT_EQ(play(directory.path(), "snapshot\n", &output), 1);
    EXPECT_NE(output.find("expected: snapshot <file.png>"), std::string::npos) << output;
}

TEST(PaneSnapshot, ATargetThatIsNoRegularFileStopsTheScriptAndStaysAsItWas) {
    testing_support::TemporaryDirectory directory;
    ASSERT_EQ(::mkfifo((directory.path() / "pipe.png").c_str(), 0644), 0);
    std::string output;
    EXPECT_EQ(play(directory.path(), "open Morvane\nsnapshot pipe.png\n", &output), 1);
    EXPECT_NE(output.find("pipe.png: it exists and is not a regular file"), std::string::npos)
        << output;
    EXPECT_EQ(fs::symlink_status(directory.path() / "pipe.png").type(), fs::file_type::fifo);
}
