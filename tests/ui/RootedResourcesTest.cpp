// Images and bundles are read only from within the device root: a link among their
// directories, or a directory swapped for a link while they are read, never reaches outside.
#include <gtest/gtest.h>

#include <filesystem>

#include "PngFixture.h"
#include "ToolkitFixture.h"
#include "foundation/Bundle.h"
#include "support/LinkSwapper.h"
#include "support/TemporaryDirectory.h"
#include "ui/Image.h"

namespace fs = std::filesystem;

namespace {

using RootedResourcesTest = ToolkitTest;

// The inside icon is 4 x 4 pixels, the outside one 8 x 8: a load tells which it read.
void putIcons(const fs::path& inside, const fs::path& outside) {
    writeBytes(inside / "icon.png", encodePng(4, 4, gradientPixels(4, 4)));
    writeBytes(outside / "icon.png", encodePng(8, 8, gradientPixels(8, 8)));
    writeText(outside / "en.lproj/Localizable.strings", "\"Volume\" = \"Outside\";");
}

TEST_F(RootedResourcesTest, ALinkLeadingOutOfTheRootGivesNoImageAndNoBundle) {
    testing_support::TemporaryDirectory outside;
    putIcons(root() / "Library/Inside.bundle", outside.path());
    fs::create_directories(root() / "Library");
    fs::create_symlink(outside.path(), root() / "Library/Out.bundle");
    EXPECT_FALSE(ui::Image::imageWithContentsOfFile("/Library/Out.bundle/icon.png"));
    EXPECT_FALSE(ui::Bundle::bundleWithPath("/Library/Out.bundle"));
    // An absolute link inside the root resolves inside it, as on the phone.
    fs::create_symlink("/Library/Inside.bundle", root() / "Library/Alias.bundle");
    auto image = ui::Image::imageWithContentsOfFile("/Library/Alias.bundle/icon.png");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelWidth(), 4u);
}

TEST_F(RootedResourcesTest, ADirectorySwappedForALinkWhileIconsLoadNeverServesAnOutsideFile) {
    testing_support::TemporaryDirectory outside;
    const fs::path bundle = root() / "Library/Art.bundle";
    putIcons(bundle, outside.path());
    writeText(bundle / "en.lproj/Localizable.strings", "\"Volume\" = \"Inside\";");
    testing_support::LinkSwapper swapper(bundle, outside.path());
    int inside = 0;
    int outsideReads = 0;
    for (int round = 0; round < 20000; ++round) {
        auto image = ui::Image::imageWithContentsOfFile("/Library/Art.bundle/icon.png");
        if (image) (image->pixelWidth() == 4 ? inside : outsideReads)++;
        if (auto held = ui::Bundle::bundleWithPath("/Library/Art.bundle")) {
            if (held->localizedStringForKey("Volume", "", "") == "Outside") ++outsideReads;
            if (auto icon = ui::Image::imageWithResource(*held, "icon.png"))
                (icon->pixelWidth() == 4 ? inside : outsideReads)++;
        }
        if (auto kept = ui::Image::imageWithResourceOfBundle("/Library/Art.bundle", "icon.png"))
            (kept->pixelWidth() == 4 ? inside : outsideReads)++;
    }
    swapper.stop();
    EXPECT_EQ(outsideReads, 0);
    EXPECT_GT(inside, 0) << "the race must have let some loads through";
}

}  // namespace
