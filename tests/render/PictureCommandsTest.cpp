// The host's picture commands: snapshot, plot and --snapshots, on the real SpringBoard.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstdio>
#include <set>
#include <tuple>

#include <sys/stat.h>
#include <string>

#include "PictureProbe.h"
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

// The phone's screenshot is the same at every brightness; seen through the glass the screen
// is darker at a lower brightness.
TEST(PictureCommands, ASnapshotIsUndimmedAndTheGlassAsSeenDarkens) {
    testing_support::TemporaryDirectory directory;
    std::string output;
    ASSERT_EQ(play(directory.path(),
                   "app com.example.maps\n"
                   "user brightness 1\n"
                   "wait 2\n"
                   "snapshot full.png\n"
                   "snapshot --as-seen full-seen.png\n"
                   "user brightness 0.1\n"
                   "wait 2\n"
                   "snapshot low.png\n"
                   "snapshot --as-seen low-seen.png\n",
                   "", &output),
              0)
        << output;
    auto read = [&](const char* name) {
        auto picture = render::Picture::readPng(directory.path() / name);
        EXPECT_TRUE(picture) << name;
        return picture ? std::move(*picture) : render::Picture(1, 1, 1);
    };
    const auto full = read("full.png");
    EXPECT_TRUE(read("low.png").samePixelsAs(full));
    EXPECT_TRUE(read("full-seen.png").samePixelsAs(full));
    // A picture read back has 1 pixel a point: the whole screen in its pixels.
    const ui::Rect screen(0, 0, render::ScreenModel::kWidth * render::ScreenModel::kScale,
                          render::ScreenModel::kHeight * render::ScreenModel::kScale);
    const double lowSeen = render_testing::PictureProbe(read("low-seen.png")).meanLuma(screen);
    EXPECT_LT(lowSeen, render_testing::PictureProbe(full).meanLuma(screen) * 0.5);
    EXPECT_EQ(play(directory.path(), "snapshot --as-seen\n", "", &output), 1);
}

namespace {

// "show frame.x" lines of the output, as rectangles.
ui::Rect shownRect(const std::string& output, const std::string& quantity) {
    const auto at = output.find(quantity + " ");
    if (at == std::string::npos) return ui::Rect(-1, -1, 0, 0);
    double x = 0, y = 0, width = 0, height = 0;
    std::sscanf(output.c_str() + at + quantity.size() + 1, "%lf %lf %lf %lf", &x, &y, &width,
                &height);
    return ui::Rect(x, y, width, height);
}

}  // namespace

// The menu stands next to the pressed icon: below an icon high on the screen, above one in the
// bottom row, on the icon's side, never over it; the picture shows the platter there and the
// icon sharp, and the quantity says where.
TEST(PictureCommands, TheMenuStandsNextToThePressedIconInThePictureAndTheQuantity) {
    testing_support::TemporaryDirectory directory;
    std::string scenario;
    for (int i = 0; i < 24; ++i) scenario += "app com.example.app" + std::to_string(i) + "\n";
    scenario +=
        "press com.example.app1\nshow frame.menu\nshow frame.icon.com.example.app1\n"
        "snapshot high.png\n"
        "press com.example.app23\nshow frame.menu\nshow frame.icon.com.example.app23\n"
        "snapshot low.png\ndismiss\nshow frame.menu\n";
    std::string output;
    ASSERT_EQ(play(directory.path(), scenario, "", &output), 0) << output;
    const ui::Rect highMenu = shownRect(output, "frame.menu");
    const ui::Rect highIcon = shownRect(output, "frame.icon.com.example.app1");
    const ui::Rect lowMenu = shownRect(output.substr(output.find("frame.icon.com.example.app1")),
                                       "frame.menu");
    const ui::Rect lowIcon = shownRect(output, "frame.icon.com.example.app23");
    EXPECT_NE(output.find("frame.menu none"), std::string::npos) << output;

    // Second column, top row: below it, in line with its left edge.
    EXPECT_NEAR(highMenu.minY(), highIcon.maxY() + 8, 0.01) << output;
    EXPECT_NEAR(highMenu.minX(), highIcon.minX(), 0.01);
    // Last column, bottom row: above it, in line with its right edge.
    EXPECT_NEAR(lowMenu.maxY(), lowIcon.minY() - 8, 0.01) << output;
    EXPECT_NEAR(lowMenu.maxX(), lowIcon.maxX(), 0.01);
    EXPECT_GT(lowMenu.height(), 100);

    const auto high = render::Picture::readPng(directory.path() / "high.png");
    const auto low = render::Picture::readPng(directory.path() / "low.png");
    ASSERT_TRUE(high && low);
    // A picture read back has 1 pixel a point: the probes below scale points to its pixels.
    constexpr double k = render::ScreenModel::kScale;
    const auto scaled = [&](double x, double y, double width, double height) {
        return ui::Rect(x * k, y * k, width * k, height * k);
    };
    for (const auto& [picture, menu, icon] :
         {std::tuple{&*high, highMenu, highIcon}, std::tuple{&*low, lowMenu, lowIcon}}) {
        const render_testing::PictureProbe probe(*picture);
        // The platter (light, opaque) fills its frame; just outside it is the dimmed blur.
        EXPECT_GT(probe.meanLuma(scaled(menu.minX() + 20, menu.minY() + 3, 40, 4)), 200);
        EXPECT_LT(probe.meanLuma(scaled(menu.maxX() + 1, menu.midY(), 4, 4)), 160);
        // The icon is drawn sharp: its own colour, not the platter's, over its whole frame.
        EXPECT_LT(probe.meanLuma(scaled(icon.minX() + 4, icon.midY() + 16, icon.width() - 8, 8)),
                  200);
        EXPECT_TRUE(menu.maxY() <= icon.minY() || menu.minY() >= icon.maxY());
        // A separator between the first two rows, unlike the platter around it.
        const double separator = menu.minY() + 57 - 0.25;
        EXPECT_GT(probe.at((menu.minX() + 120) * k, (separator + 6) * k).luma() -
                      probe.at((menu.minX() + 120) * k, separator * k).luma(),
                  30);
    }
}

// The "On"/"Off" badges hanging below the Toggles row's switches stand on the platter, clear of
// its bottom edge, both under the row's title and in the toggles editor.
TEST(PictureCommands, ToggleBadgesStayClearOfThePlattersBottomEdge) {
    testing_support::TemporaryDirectory directory;
    const std::string scenario =
        "app com.example.maps\nstore com.example.maps toggle wifi on\n"
        "store com.example.maps toggle bluetooth off\nstore com.example.maps toggle vpn off\n"
        "press com.example.maps\nwait 0.1\nshow frame.menu\nsnapshot row.png\n"
        "choose Toggles\nwait 0.5\nsnapshot editor.png\n";
    std::string output;
    ASSERT_EQ(play(directory.path(), scenario, "", &output), 0) << output;
    const ui::Rect menu = shownRect(output, "frame.menu");
    constexpr double k = render::ScreenModel::kScale;
    for (const char* name : {"row.png", "editor.png"}) {
        const auto picture = render::Picture::readPng(directory.path() / name);
        ASSERT_TRUE(picture) << name;
        const render_testing::PictureProbe probe(*picture);
        // Dark ink (a badge's text or a glyph) in a strip of the platter, left of the row's icon.
        const auto inkIn = [&](double top, double bottom) {
            int ink = 0;
            for (double y = top; y < bottom; y += 0.5)
                for (double x = menu.minX() + 14; x < menu.maxX() - 60; x += 0.5)
                    ink += probe.at(x * k, y * k).luma() < 170;
            return ink;
        };
        EXPECT_GT(inkIn(menu.maxY() - 20, menu.maxY() - 6), 20) << name << ": no badges drawn";
        EXPECT_EQ(inkIn(menu.maxY() - 5, menu.maxY() - 0.5), 0) << name;
    }
}
