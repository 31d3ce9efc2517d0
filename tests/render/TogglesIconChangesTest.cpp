// What the user sees of a toggle's icon follows its file on disk: the row built after the
// file was rewritten in place (the same inode), written through another name of the same file,
// or replaced by a rename shows the new glyph, although an unchanged file is not read again.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "RenderWorld.h"
#include "render/ViewRenderer.h"
#include "rt/Make.h"
#include "tweak/widgets/TogglesView.h"
#include "ui/Color.h"

namespace fs = std::filesystem;

namespace {

constexpr double kScale = 3;

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Rewrites the file where it is: the same inode, new content, size and modification time.
void rewriteInPlace(const fs::path& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    ASSERT_TRUE(file);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    ASSERT_EQ(std::fflush(file), 0);
    ASSERT_EQ(::ftruncate(::fileno(file), static_cast<off_t>(bytes.size())), 0);
    std::fclose(file);
}

ino_t inodeOf(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

const fs::path kShippedBundle = MORVANE_BUNDLE_DIR;

class TogglesIconChangesTest : public ::testing::Test {
  protected:
    // A picture of a row built now, showing only the one toggle.
    static render::Picture rowShowing(const char* toggle) {
        auto view =
            rt::make<morvane::TogglesView>(ui::Rect(0, 0, 300, 30), ui::Color::whiteColor());
        view->toggleButton(toggle)->setHasToBeShown(true);
        view->addEnabledButtonsToStackView();
        view->layoutIfNeeded();
        return render::ViewRenderer().render(view.get(), kScale);
    }

    fs::path installedBundle() const {
        return _world.root() / std::string(render_testing::kGlyphBundle).substr(1);
    }
    fs::path wifiIcon() const { return installedBundle() / "wifiIcon.png"; }

  private:
    render_testing::RenderWorld _world;
};

}  // namespace

TEST_F(TogglesIconChangesTest, TheNextRowShowsAnIconRewrittenInPlaceThroughAnyNameOrRenamed) {
    const std::string wifiBytes = bytesOf(kShippedBundle / "wifiIcon.png");
    const std::string dndBytes = bytesOf(kShippedBundle / "dndIcon.png");
    // The wifi button alone and the do-not-disturb button alone sit at the same place, so
    // their rows differ only in the glyph.
    const render::Picture wifi = rowShowing("wifi");
    const render::Picture dnd = rowShowing("dnd");
    ASSERT_FALSE(wifi.samePixelsAs(dnd));
    ASSERT_TRUE(rowShowing("wifi").samePixelsAs(wifi)) << "the same row built again";

    const ino_t inode = inodeOf(wifiIcon());
    rewriteInPlace(wifiIcon(), dndBytes);
    ASSERT_EQ(inodeOf(wifiIcon()), inode);
    EXPECT_TRUE(rowShowing("wifi").samePixelsAs(dnd)) << "rewritten in place";
    EXPECT_TRUE(rowShowing("wifi").samePixelsAs(dnd)) << "and built again";

    const fs::path fresh = installedBundle() / "fresh.png";
    std::ofstream(fresh, std::ios::binary) << wifiBytes;
    fs::rename(fresh, wifiIcon());
    EXPECT_TRUE(rowShowing("wifi").samePixelsAs(wifi)) << "replaced by a rename";

    // Another name of the same file, outside the bundle's directory: a write through it
    // changes the icon as much as one through the bundle.
    const fs::path otherName = installedBundle().parent_path() / "wifi-elsewhere.png";
    fs::create_hard_link(wifiIcon(), otherName);
    EXPECT_TRUE(rowShowing("wifi").samePixelsAs(wifi));
    rewriteInPlace(otherName, dndBytes);
    EXPECT_TRUE(rowShowing("wifi").samePixelsAs(dnd)) << "rewritten through another name";

    // A rename from outside the bundle over the icon, then the icon removed.
    const fs::path outside = installedBundle().parent_path() / "incoming.png";
    std::ofstream(outside, std::ios::binary) << wifiBytes;
    fs::rename(outside, wifiIcon());
    EXPECT_TRUE(rowShowing("wifi").samePixelsAs(wifi)) << "renamed in from outside";
    fs::remove(wifiIcon());
    EXPECT_FALSE(rowShowing("wifi").samePixelsAs(wifi)) << "removed: no glyph";
    EXPECT_FALSE(rowShowing("wifi").samePixelsAs(dnd));
}
