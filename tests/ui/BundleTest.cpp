#include <gtest/gtest.h>

#include "PngFixture.h"
#include "ToolkitFixture.h"
#include "foundation/Bundle.h"
#include "foundation/StringsTable.h"
#include "ui/Image.h"

using ui::Bundle;
using ui::StringsTable;

namespace {

constexpr const char* kBundlePath = "/Library/Application Support/MorvaneBundle.bundle";

class BundleTest : public ToolkitTest {
  protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        writeBundle();
    }

    void writeBundle() {
        bundleDirectory = root() / "Library/Application Support/MorvaneBundle.bundle";
        writeText(bundleDirectory / "en.lproj/Localizable.strings",
                  "/* English */\n\"Volume\" = \"Volume\";\n\"Only English\" = \"English only\";\n"
                  "\"Quote\" = \"say \\\"hi\\\"\\n\";\n");
        writeText(bundleDirectory / "ar.lproj/Localizable.strings",
                  "// Arabic\n\"Volume\" = \"\u0627\u0644\u0635\u0648\u062A\";\n");
        writeBytes(bundleDirectory / "volumeIcon.png", encodePng(1, 1, {0, 0, 0, 255}));
    }

    void bootWithLocale(const std::string& identifier) {
        device::DeviceConfiguration configuration;
        configuration.localeIdentifier = identifier;
        boot(configuration);
        writeBundle();  // a new device root
    }

    std::filesystem::path bundleDirectory;
};

TEST_F(BundleTest, ABundleIsMadeOnlyForADirectory) {
    auto bundle = Bundle::bundleWithPath(kBundlePath);
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->bundlePath(), kBundlePath);
    EXPECT_FALSE(Bundle::bundleWithPath("/Library/Application Support/Missing.bundle"));
    EXPECT_FALSE(Bundle::bundleWithPath(std::string(kBundlePath) + "/volumeIcon.png"));
}

TEST_F(BundleTest, ResourcePathsAreDevicePathsOfExistingFiles) {
    auto bundle = Bundle::bundleWithPath(kBundlePath);
    EXPECT_EQ(bundle->pathForResource("volumeIcon", "png"),
              std::string(kBundlePath) + "/volumeIcon.png");
    EXPECT_EQ(bundle->pathForResource("Localizable", "strings"),
              std::string(kBundlePath) + "/en.lproj/Localizable.strings");
    EXPECT_EQ(bundle->pathForResource("missingIcon", "png"), "");
    EXPECT_EQ(bundle->pathForResource("../../etc/passwd", ""), "");
    EXPECT_EQ(bundle->localizations(), (std::vector<std::string>{"ar", "en"}));
}

TEST_F(BundleTest, LocalizedStringsFallBackToEnglishThenToTheValueThenToTheKey) {
    auto english = Bundle::bundleWithPath(kBundlePath);
    EXPECT_EQ(english->localizedStringForKey("Volume", "Volume", ""), "Volume");
    EXPECT_EQ(english->localizedStringForKey("Quote", "", ""), "say \"hi\"\n");
    EXPECT_EQ(english->localizedStringForKey("Unknown", "Fallback", ""), "Fallback");
    EXPECT_EQ(english->localizedStringForKey("Unknown", "", ""), "Unknown");
    EXPECT_EQ(english->localizedStringForKey("Volume", "", "OtherTable"), "Volume");

    bootWithLocale("ar_SA");
    auto arabic = Bundle::bundleWithPath(kBundlePath);
    EXPECT_EQ(arabic->preferredLocalizations(), (std::vector<std::string>{"ar", "en"}));
    EXPECT_EQ(arabic->localizedStringForKey("Volume", "Volume", ""),
              "\u0627\u0644\u0635\u0648\u062A");
    EXPECT_EQ(arabic->localizedStringForKey("Only English", "", ""), "English only");
}

TEST_F(BundleTest, ACorruptTableIsIgnoredWhole) {
    writeText(bundleDirectory / "en.lproj/Broken.strings",
              "\"a\" = \"1\";\n\"b\" = \"unterminated;\n");
    auto bundle = Bundle::bundleWithPath(kBundlePath);
    EXPECT_EQ(bundle->localizedStringForKey("a", "", "Broken"), "a");
}

TEST(StringsTableTest, ReadsUtf16AndPropertyListTables) {
    // "k" = "é"; in UTF-16 little-endian with its byte-order mark.
    const std::string utf16 =
        std::string("\xFF\xFE", 2) + std::string("\"\0k\0\"\0=\0\"\0\xE9\0\"\0;\0", 16);
    auto table = StringsTable::parse(utf16);
    ASSERT_TRUE(table);
    ASSERT_TRUE(table->find("k"));
    EXPECT_EQ(*table->find("k"), "\u00E9");

    auto plist = StringsTable::parse(
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key><string>b</string>"
        "<key>n</key><integer>3</integer></dict></plist>");
    ASSERT_TRUE(plist);
    EXPECT_EQ(*plist->find("a"), "b");
    EXPECT_EQ(plist->find("n"), nullptr);  // not a string

    auto unquoted = StringsTable::parse("key = \"\\U00e9t\\u00e9\"; lone;");
    ASSERT_TRUE(unquoted);
    EXPECT_EQ(*unquoted->find("key"), "\u00E9t\u00E9");
    EXPECT_EQ(*unquoted->find("lone"), "lone");
    EXPECT_FALSE(StringsTable::parse("\"a\" = \"b\""));  // no semicolon
}

}  // namespace

namespace {

TEST_F(BundleTest, ARewrittenStringsFileIsReadAnewByTheSameBundle) {
    auto bundle = Bundle::bundleWithPath(kBundlePath);
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->localizedStringForKey("Volume", "", ""), "Volume");
    writeText(bundleDirectory / "en.lproj/Localizable.strings", "\"Volume\" = \"Loudness\";\n");
    EXPECT_EQ(bundle->localizedStringForKey("Volume", "", ""), "Loudness");
    std::filesystem::remove(bundleDirectory / "en.lproj/Localizable.strings");
    EXPECT_EQ(bundle->localizedStringForKey("Volume", "fallback", ""), "fallback");
    writeText(bundleDirectory / "en.lproj/Localizable.strings", "\"Volume\" = \"Back\";\n");
    EXPECT_EQ(bundle->localizedStringForKey("Volume", "", ""), "Back");
}

// The bundle's directory is held open between calls; what changes on disk is still seen at
// the next call: a file rewritten in place, a file added to a localization, the whole bundle
// replaced by another directory, and the bundle removed.
TEST_F(BundleTest, ImagesOfTheBundleAreReadAnewWhenTheyOrTheBundleChange) {
    const auto iconWidth = [] {
        const auto bundle = Bundle::bundleWithPath(kBundlePath);
        const auto image =
            bundle ? ui::Image::imageWithResource(*bundle, "volumeIcon.png") : nullptr;
        return image ? image->pixelWidth() : 0u;
    };
    EXPECT_EQ(iconWidth(), 1u);
    EXPECT_EQ(iconWidth(), 1u);
    writeBytes(bundleDirectory / "volumeIcon.png", encodePng(2, 2, gradientPixels(2, 2)));
    EXPECT_EQ(iconWidth(), 2u) << "rewritten in place";

    writeBytes(bundleDirectory / "en.lproj/flag.png", encodePng(5, 5, gradientPixels(5, 5)));
    const auto localized =
        ui::Image::imageWithResource(*Bundle::bundleWithPath(kBundlePath), "flag.png");
    ASSERT_TRUE(localized);
    EXPECT_EQ(localized->pixelWidth(), 5u);

    const auto aside = bundleDirectory.parent_path() / "Old.bundle";
    std::filesystem::rename(bundleDirectory, aside);
    writeBytes(bundleDirectory / "volumeIcon.png", encodePng(3, 3, gradientPixels(3, 3)));
    EXPECT_EQ(iconWidth(), 3u) << "another bundle at the path";
    EXPECT_EQ(Bundle::bundleWithPath(kBundlePath)->pathForResource("flag", "png"), "");

    std::filesystem::remove_all(bundleDirectory);
    EXPECT_EQ(iconWidth(), 0u);
    EXPECT_FALSE(Bundle::bundleWithPath(kBundlePath));
}

// Within the held bundle, an absolute link resolves within the device root as any device path
// does, and a link leading out of the root gives nothing.
TEST_F(BundleTest, LinksInTheBundleResolveWithinTheRoot) {
    writeBytes(root() / "Library/Shared/glyph.png", encodePng(6, 6, gradientPixels(6, 6)));
    std::filesystem::create_symlink("/Library/Shared/glyph.png", bundleDirectory / "alias.png");
    std::filesystem::create_symlink("../../../../../../../../etc/hostname",
                                    bundleDirectory / "escape.png");
    const auto bundle = Bundle::bundleWithPath(kBundlePath);
    const auto alias = ui::Image::imageWithResource(*bundle, "alias.png");
    ASSERT_TRUE(alias);
    EXPECT_EQ(alias->pixelWidth(), 6u);
    EXPECT_EQ(bundle->pathForResource("alias", "png"), std::string(kBundlePath) + "/alias.png");
    EXPECT_FALSE(ui::Image::imageWithResource(*bundle, "escape.png"));
}

}  // namespace
