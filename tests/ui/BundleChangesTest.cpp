// A bundle handed out by its path stays the one handed out while nothing changes, and what
// changes on disk is seen at the next load: images rewritten or replaced, the bundle or a
// directory on its path replaced, a link on its path retargeted; loads from several threads
// see only what was on disk.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#include <set>
#include <thread>
#include <vector>

#include "PngFixture.h"
#include "ToolkitFixture.h"
#include "foundation/Bundle.h"
#include "support/TemporaryDirectory.h"
#include "ui/Image.h"

namespace fs = std::filesystem;
using ui::Bundle;

namespace {

constexpr const char* kBundlePath = "/Library/Application Support/Art.bundle";

// A bundle whose icon is `side` pixels wide and whose "Volume" reads `text`.
void putBundle(const fs::path& directory, std::uint32_t side, const std::string& text) {
    writeBytes(directory / "icon.png", encodePng(side, side, gradientPixels(side, side)));
    writeText(directory / "en.lproj/Localizable.strings", "\"Volume\" = \"" + text + "\";\n");
}

// The icon's width as loaded through the bundle at the path now (0: none).
std::uint32_t iconWidth(const std::string& bundlePath = kBundlePath) {
    const auto bundle = Bundle::bundleWithPath(bundlePath);
    const auto image = bundle ? ui::Image::imageWithResource(*bundle, "icon.png") : nullptr;
    return image ? image->pixelWidth() : 0u;
}

// The same through the bundle's path, the image kept between loads while nothing changes.
std::uint32_t keptIconWidth(const std::string& bundlePath = kBundlePath) {
    const auto image = ui::Image::imageWithResourceOfBundle(bundlePath, "icon.png");
    return image ? image->pixelWidth() : 0u;
}

ino_t inodeOf(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

class BundleChangesTest : public ToolkitTest {
  protected:
    fs::path bundleDirectory() const { return root() / fs::path(kBundlePath).relative_path(); }
};

TEST_F(BundleChangesTest, OneBundleIsHandedOutPerPathUntilAnotherDirectoryIsThere) {
    putBundle(bundleDirectory(), 2, "Two");
    const auto first = Bundle::bundleWithPath(kBundlePath);
    ASSERT_TRUE(first);
    EXPECT_EQ(Bundle::bundleWithPath(kBundlePath).get(), first.get());
    writeBytes(bundleDirectory() / "added.png", encodePng(1, 1, {0, 0, 0, 255}));
    EXPECT_EQ(Bundle::bundleWithPath(kBundlePath).get(), first.get()) << "same directory";
    EXPECT_EQ(first->pathForResource("added", "png"), std::string(kBundlePath) + "/added.png");

    fs::rename(bundleDirectory(), bundleDirectory().parent_path() / "Old.bundle");
    putBundle(bundleDirectory(), 3, "Three");
    const auto second = Bundle::bundleWithPath(kBundlePath);
    ASSERT_TRUE(second);
    EXPECT_NE(second.get(), first.get());
    EXPECT_EQ(second->localizedStringForKey("Volume", "", ""), "Three");
    // The first bundle, still held by its user, asks for its path again too.
    EXPECT_EQ(first->localizedStringForKey("Volume", "", ""), "Three");
    EXPECT_EQ(first->pathForResource("added", "png"), "");
}

TEST_F(BundleChangesTest, AnImageIsReadAnewWhenRewrittenReplacedRemovedOrAdded) {
    putBundle(bundleDirectory(), 2, "Two");
    EXPECT_EQ(iconWidth(), 2u);
    writeBytes(bundleDirectory() / "icon.png", encodePng(3, 3, gradientPixels(3, 3)));
    EXPECT_EQ(iconWidth(), 3u) << "rewritten in place";
    writeBytes(bundleDirectory() / "fresh.png", encodePng(4, 4, gradientPixels(4, 4)));
    fs::rename(bundleDirectory() / "fresh.png", bundleDirectory() / "icon.png");
    EXPECT_EQ(iconWidth(), 4u) << "replaced by a rename";
    fs::remove(bundleDirectory() / "icon.png");
    EXPECT_EQ(iconWidth(), 0u) << "removed";
    writeBytes(bundleDirectory() / "en.lproj/icon.png", encodePng(5, 5, gradientPixels(5, 5)));
    EXPECT_EQ(iconWidth(), 5u) << "added to a localization";
}

// An image kept with the bundle's directory is handed out again only while neither its file
// (written through any of its names) nor the directory's entries have changed.
TEST_F(BundleChangesTest, AKeptImageGivesWayToWhateverChangedItsFile) {
    putBundle(bundleDirectory(), 2, "Two");
    const auto first = ui::Image::imageWithResourceOfBundle(kBundlePath, "icon.png");
    ASSERT_TRUE(first);
    EXPECT_EQ(ui::Image::imageWithResourceOfBundle(kBundlePath, "icon.png").get(), first.get());
    const fs::path icon = bundleDirectory() / "icon.png";
    const ino_t inode = inodeOf(icon);
    writeBytes(icon, encodePng(3, 3, gradientPixels(3, 3)));
    ASSERT_EQ(inodeOf(icon), inode);
    EXPECT_EQ(keptIconWidth(), 3u) << "rewritten in place";
    EXPECT_EQ(keptIconWidth(), 3u);

    const fs::path otherName = root() / "Library/elsewhere.png";
    fs::create_hard_link(icon, otherName);
    EXPECT_EQ(keptIconWidth(), 3u);
    writeBytes(otherName, encodePng(4, 4, gradientPixels(4, 4)));
    EXPECT_EQ(keptIconWidth(), 4u) << "rewritten through a name outside the bundle";
    fs::resize_file(otherName, 10);
    EXPECT_EQ(keptIconWidth(), 0u) << "cut short through that name";

    writeBytes(bundleDirectory() / "next.png", encodePng(5, 5, gradientPixels(5, 5)));
    fs::rename(bundleDirectory() / "next.png", icon);
    EXPECT_EQ(keptIconWidth(), 5u) << "replaced by a rename";
    fs::remove(icon);
    EXPECT_EQ(keptIconWidth(), 0u) << "removed";
    writeBytes(bundleDirectory() / "en.lproj/icon.png", encodePng(6, 6, gradientPixels(6, 6)));
    EXPECT_EQ(keptIconWidth(), 6u) << "found in a localization";
    writeBytes(icon, encodePng(7, 7, gradientPixels(7, 7)));
    EXPECT_EQ(keptIconWidth(), 7u) << "back at the top level";

    fs::rename(bundleDirectory(), bundleDirectory().parent_path() / "Old.bundle");
    putBundle(bundleDirectory(), 8, "Eight");
    EXPECT_EQ(keptIconWidth(), 8u) << "another bundle at the path";
    fs::remove_all(bundleDirectory());
    EXPECT_EQ(keptIconWidth(), 0u) << "no bundle";
}

// Threads load the kept icon while another rewrites it in place, between two sizes: no load
// gives anything but what was on disk (a file caught half-written gives no image), and once
// the writes stop every load gives the last one.
TEST_F(BundleChangesTest, LoadsDuringInPlaceRewritesEndWithTheLastWrite) {
    putBundle(bundleDirectory(), 2, "Two");
    const std::vector<std::uint8_t> two = encodePng(2, 2, gradientPixels(2, 2));
    const std::vector<std::uint8_t> three = encodePng(3, 3, gradientPixels(3, 3));
    std::atomic<bool> stop{false};
    std::vector<std::set<std::uint32_t>> seen(3);
    std::vector<std::thread> loaders;
    for (auto& mine : seen) {
        loaders.emplace_back([&mine, &stop] {
            while (!stop) mine.insert(keptIconWidth());
        });
    }
    bool lastIsThree = false;
    for (int round = 0; round < 400; ++round) {
        lastIsThree = round % 2 == 0;
        writeBytes(bundleDirectory() / "icon.png", lastIsThree ? three : two);
    }
    stop = true;
    for (auto& loader : loaders) loader.join();
    for (const auto& mine : seen) {
        for (const std::uint32_t width : mine) EXPECT_TRUE(width == 0 || width == 2 || width == 3);
    }
    EXPECT_EQ(keptIconWidth(), lastIsThree ? 3u : 2u);
    EXPECT_EQ(iconWidth(), lastIsThree ? 3u : 2u);
}

TEST_F(BundleChangesTest, ADirectoryReplacedOnThePathIsNoticed) {
    putBundle(bundleDirectory(), 2, "Two");
    EXPECT_EQ(iconWidth(), 2u);
    // The bundle's parent moved aside and another put in its place: the held bundle itself
    // is untouched.
    const fs::path support = bundleDirectory().parent_path();
    fs::rename(support, root() / "Library/Old Support");
    putBundle(bundleDirectory(), 3, "Three");
    EXPECT_EQ(iconWidth(), 3u);
    EXPECT_EQ(Bundle::bundleWithPath(kBundlePath)->localizedStringForKey("Volume", "", ""),
              "Three");
    // The same two levels up, swapped in one step.
    const fs::path library = root() / "Library";
    putBundle(root() / "Other/Application Support/Art.bundle", 4, "Four");
    ASSERT_EQ(::renameat2(AT_FDCWD, library.c_str(), AT_FDCWD, (root() / "Other").c_str(),
                          RENAME_EXCHANGE),
              0);
    EXPECT_EQ(iconWidth(), 4u);
    // Removed, then made again.
    fs::remove_all(library);
    EXPECT_EQ(iconWidth(), 0u);
    EXPECT_FALSE(Bundle::bundleWithPath(kBundlePath));
    putBundle(bundleDirectory(), 5, "Five");
    EXPECT_EQ(iconWidth(), 5u);
}

TEST_F(BundleChangesTest, ALinkOnThePathIsFollowedWithinTheRootWhereverItIsTurned) {
    testing_support::TemporaryDirectory outside;
    putBundle(root() / "Library/A.bundle", 4, "A");
    putBundle(root() / "Library/B.bundle", 5, "B");
    putBundle(outside.path() / "Art.bundle", 8, "Outside");
    const fs::path link = root() / "Library/Current.bundle";
    const auto pointLinkAt = [&](const fs::path& target) {
        fs::create_symlink(target, root() / "Library/next");
        fs::rename(root() / "Library/next", link);
    };
    pointLinkAt("/Library/A.bundle");
    EXPECT_EQ(iconWidth("/Library/Current.bundle"), 4u);
    EXPECT_EQ(keptIconWidth("/Library/Current.bundle"), 4u);
    pointLinkAt("/Library/B.bundle");
    EXPECT_EQ(iconWidth("/Library/Current.bundle"), 5u);
    EXPECT_EQ(keptIconWidth("/Library/Current.bundle"), 5u);
    // A link leading out of the root reaches nothing, held bundle or not.
    pointLinkAt(outside.path() / "Art.bundle");
    EXPECT_EQ(iconWidth("/Library/Current.bundle"), 0u);
    EXPECT_EQ(keptIconWidth("/Library/Current.bundle"), 0u);
    pointLinkAt("../../../../../../../../../../" + (outside.path() / "Art.bundle").string());
    EXPECT_EQ(iconWidth("/Library/Current.bundle"), 0u);

    // A directory of the path swapped for a link leading out, after the bundle was held.
    putBundle(bundleDirectory(), 2, "Two");
    EXPECT_EQ(iconWidth(), 2u);
    EXPECT_EQ(keptIconWidth(), 2u);
    const fs::path support = bundleDirectory().parent_path();
    fs::create_symlink(outside.path(), root() / "Library/Swapped");
    ASSERT_EQ(::renameat2(AT_FDCWD, support.c_str(), AT_FDCWD, (root() / "Library/Swapped").c_str(),
                          RENAME_EXCHANGE),
              0);
    EXPECT_EQ(iconWidth(), 0u);
    EXPECT_EQ(keptIconWidth(), 0u);
    EXPECT_FALSE(Bundle::bundleWithPath(kBundlePath));
}

// Threads load the icon and a string through the bundle's path while another swaps the
// whole bundle between two versions: every load gives one of the two, and once the swaps
// stop every load gives the one left in place.
TEST_F(BundleChangesTest, ConcurrentLoadsSeeOnlyWhatIsOnDisk) {
    putBundle(bundleDirectory(), 2, "Two");
    const fs::path other = bundleDirectory().parent_path() / "Other.bundle";
    putBundle(other, 3, "Three");
    std::atomic<bool> stop{false};
    std::atomic<int> swaps{0};
    std::thread swapper([&] {
        while (!stop) {
            if (::renameat2(AT_FDCWD, bundleDirectory().c_str(), AT_FDCWD, other.c_str(),
                            RENAME_EXCHANGE) == 0)
                ++swaps;
        }
    });
    std::vector<std::set<std::string>> seen(4);
    std::vector<std::thread> loaders;
    for (auto& mine : seen) {
        loaders.emplace_back([&mine] {
            for (int round = 0; round < 1500; ++round) {
                mine.insert("icon " + std::to_string(iconWidth()));
                if (const auto bundle = Bundle::bundleWithPath(kBundlePath))
                    mine.insert("text " + bundle->localizedStringForKey("Volume", "", ""));
            }
        });
    }
    for (auto& loader : loaders) loader.join();
    stop = true;
    swapper.join();
    const std::set<std::string> possible{"icon 2", "icon 3", "text Two", "text Three"};
    for (const auto& mine : seen) {
        for (const std::string& load : mine) EXPECT_TRUE(possible.contains(load)) << load;
    }
    const bool twoInPlace = swaps % 2 == 0;
    EXPECT_EQ(iconWidth(), twoInPlace ? 2u : 3u);
    EXPECT_EQ(Bundle::bundleWithPath(kBundlePath)->localizedStringForKey("Volume", "", ""),
              twoInPlace ? "Two" : "Three");
}

}  // namespace
