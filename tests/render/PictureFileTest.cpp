// Picture files: what writePng leaves on disk beside and at the target.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "render/Picture.h"
#include "support/TemporaryDirectory.h"

namespace fs = std::filesystem;

namespace {

render::Picture redSquare() {
    render::Picture picture(4, 4, 2);
    const auto context = picture.context();
    cairo_set_source_rgb(context.get(), 1, 0, 0);
    cairo_paint(context.get());
    return picture;
}

std::string contentOf(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream content;
    content << stream.rdbuf();
    return content.str();
}

std::set<std::string> namesIn(const fs::path& directory) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory))
        names.insert(entry.path().filename().string());
    return names;
}

// The id of a process that has ended (a child that exited and was reaped).
pid_t deadProcessId() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

}  // namespace

// A link planted where a writer that names its temporary after the process id would put it
// leads nowhere: the file it points at keeps its bytes and the target is a new regular file.
TEST(PictureFile, ALinkPlantedBesideTheTargetIsNeitherWrittenThroughNorRenamedIntoPlace) {
    testing_support::TemporaryDirectory inside, outside;
    const fs::path victim = outside.path() / "victim";
    std::ofstream(victim) << "precious";
    const std::string pid = std::to_string(::getpid());
    for (const std::string& planted : {".shot.png.tmp" + pid, ".shot.png." + pid + ".tmp"})
        fs::create_symlink(victim, inside.path() / planted);

    redSquare().writePng(inside.path() / "shot.png");

    EXPECT_EQ(contentOf(victim), "precious");
    EXPECT_EQ(fs::symlink_status(inside.path() / "shot.png").type(), fs::file_type::regular);
    const auto read = render::Picture::readPng(inside.path() / "shot.png");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->pixel(3, 3), (render::Pixel{255, 0, 0, 255}));
}

// A pipe, a directory or a link at the target is refused with a message naming the path, and
// stays what it was; nothing is left beside it.
TEST(PictureFile, ATargetThatIsNoRegularFileIsRefusedAndLeftAsItWas) {
    testing_support::TemporaryDirectory directory, outside;
    const fs::path pipe = directory.path() / "pipe.png";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    fs::create_directory(directory.path() / "folder.png");
    std::ofstream(outside.path() / "victim") << "precious";
    fs::create_symlink(outside.path() / "victim", directory.path() / "link.png");

    for (const char* name : {"pipe.png", "folder.png", "link.png"}) {
        try {
            redSquare().writePng(directory.path() / name);
            ADD_FAILURE() << name << " was written";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find("not a regular file"), std::string::npos);
        }
    }
    EXPECT_EQ(fs::symlink_status(pipe).type(), fs::file_type::fifo);
    EXPECT_EQ(fs::symlink_status(directory.path() / "folder.png").type(), fs::file_type::directory);
    EXPECT_EQ(fs::symlink_status(directory.path() / "link.png").type(), fs::file_type::symlink);
    EXPECT_EQ(contentOf(outside.path() / "victim"), "precious");
    EXPECT_EQ(namesIn(directory.path()),
              (std::set<std::string>{"pipe.png", "folder.png", "link.png"}));
}

// An existing picture is replaced whole and keeps being a regular file.
TEST(PictureFile, AnExistingPictureIsReplaced) {
    testing_support::TemporaryDirectory directory;
    const fs::path path = directory.path() / "shot.png";
    std::ofstream(path) << "old bytes";
    redSquare().writePng(path);
    EXPECT_TRUE(render::Picture::readPng(path));
    EXPECT_EQ(namesIn(directory.path()), (std::set<std::string>{"shot.png"}));
}

// Temporaries of writers that were killed mid-write go at the next write in that directory,
// whatever picture they were for; a running writer's temporary and other files stay.
TEST(PictureFile, StaleTemporariesOfDeadWritersAreRemovedAndOthersKept) {
    testing_support::TemporaryDirectory directory;
    const std::string dead = std::to_string(deadProcessId());
    const std::string living = std::to_string(::getppid());
    const std::set<std::string> stale = {".0003-user.png." + dead + ".77123.tmp",
                                         ".shot.png.tmp" + dead};
    const std::set<std::string> kept = {".0004-app.png." + living + ".5512.tmp",
                                        ".values.plist." + dead + ".91.tmp", "notes.png.tmp"};
    for (const auto& names : {stale, kept})
        for (const std::string& name : names) std::ofstream(directory.path() / name) << "x";

    redSquare().writePng(directory.path() / "shot.png");

    std::set<std::string> expected = kept;
    expected.insert("shot.png");
    EXPECT_EQ(namesIn(directory.path()), expected);
}
