#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "WidgetFixture.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/widgets/BundleHelper.h"
#include "tweak/widgets/ButtonWithIncreasedTouchArea.h"
#include "tweak/widgets/HapticFeedbackHelper.h"
#include "tweak/widgets/LocalizationHelper.h"
#include "ui/SimulatedFinger.h"

using morvane::BundleHelper;
using morvane::ButtonWithIncreasedTouchArea;
using morvane::HapticFeedbackHelper;
using morvane::LocalizationHelper;

namespace {

// The images the widgets and the menu ask the bundle for.
std::vector<std::string> imageNamesAskedFor() {
    std::vector<std::string> names = {"volumeIcon", "brightnessIcon", "togglesIcon", "removeIcon"};
    for (const morvane::ToggleDefinition& toggle : morvane::ToggleCatalogue::toggles()) {
        names.push_back(std::string(toggle.name) + "Icon");
    }
    return names;
}

// A target that counts the actions it receives.
struct TapCounter : rt::Object {
    static constexpr const char* kClassName = "TapCounter";
    int taps = 0;
};

void countTap(rt::Object* self, rt::Selector, rt::Object*) {
    ++static_cast<TapCounter*>(self)->taps;
}

device::DeviceConfiguration withLocale(const std::string& identifier) {
    device::DeviceConfiguration configuration;
    configuration.localeIdentifier = identifier;
    return configuration;
}

}  // namespace

// --- BundleHelper ---

using BundleHelperTest = WidgetTest;

TEST_F(BundleHelperTest, EveryImageTheSystemAsksForLoadsAsATemplateImage) {
    for (const std::string& name : imageNamesAskedFor()) {
        SCOPED_TRACE(name);
        const rt::Ref<ui::Image> image = BundleHelper::getImageWithName(name);
        ASSERT_TRUE(image);
        EXPECT_TRUE(image->isTemplate());
        EXPECT_GE(image->pixelWidth(), 90u);
        EXPECT_GE(image->pixelHeight(), 90u);
    }
}

TEST_F(BundleHelperTest, EveryImageFileOfTheBundleLoadsAsATemplateImage) {
    std::size_t images = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kShippedBundle)) {
        if (entry.path().extension() != ".png") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const rt::Ref<ui::Image> image =
            BundleHelper::getImageWithName(entry.path().stem().string());
        ASSERT_TRUE(image);
        EXPECT_TRUE(image->isTemplate());
        ++images;
    }
    EXPECT_GE(images, imageNamesAskedFor().size());
}

TEST_F(BundleHelperTest, EachCallOpensTheBundleAfreshAndSeesFilesChangedOnDisk) {
    ASSERT_TRUE(BundleHelper::getImageWithName("wifiIcon"));
    std::filesystem::remove(installedBundle() / "wifiIcon.png");
    EXPECT_FALSE(BundleHelper::getImageWithName("wifiIcon"));

    std::filesystem::copy_file(kShippedBundle / "vpnIcon.png", installedBundle() / "wifiIcon.png");
    const rt::Ref<ui::Image> replaced = BundleHelper::getImageWithName("wifiIcon");
    const rt::Ref<ui::Image> vpn = BundleHelper::getImageWithName("vpnIcon");
    ASSERT_TRUE(replaced && vpn);
    EXPECT_EQ(replaced->bitmap()->rgba, vpn->bitmap()->rgba);
}

TEST_F(BundleHelperTest, AnIconRewrittenInPlaceIsLoadedAnew) {
    const rt::Ref<ui::Image> before = BundleHelper::getImageWithName("wifiIcon");
    ASSERT_TRUE(before);
    std::filesystem::copy_file(kShippedBundle / "dndIcon.png", installedBundle() / "wifiIcon.png",
                               std::filesystem::copy_options::overwrite_existing);
    const rt::Ref<ui::Image> after = BundleHelper::getImageWithName("wifiIcon");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->bitmap()->rgba, BundleHelper::getImageWithName("dndIcon")->bitmap()->rgba);
    EXPECT_NE(after->bitmap()->rgba, before->bitmap()->rgba);
}

TEST_F(BundleHelperTest, MissingOrUnsafeNamesAndACorruptFileGiveNoImage) {
    EXPECT_FALSE(BundleHelper::getImageWithName("noSuchIcon"));
    EXPECT_FALSE(BundleHelper::getImageWithName(""));
    EXPECT_FALSE(BundleHelper::getImageWithName("../MorvaneBundle.bundle/wifiIcon"));
    {
        std::ofstream corrupt(installedBundle() / "brokenIcon.png", std::ios::binary);
        corrupt << "not a png";
    }
    EXPECT_FALSE(BundleHelper::getImageWithName("brokenIcon"));
}

// A glyph file far larger than any place shows it (2048 pixels a side) is kept at most 256
// pixels a side, the same size in points: no icon can cost megabytes however it is drawn.
TEST_F(BundleHelperTest, AHugeIconIsKeptReducedToWhatAGlyphIsShownAt) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = image.height = 2048;
    image.format = PNG_FORMAT_GRAY;
    const std::vector<std::uint8_t> pixels(std::size_t{2048} * 2048, 90);
    png_alloc_size_t size = 0;
    ASSERT_TRUE(png_image_write_get_memory_size(image, size, 0, pixels.data(), 0, nullptr));
    std::vector<char> bytes(size);
    ASSERT_TRUE(
        png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr));
    std::ofstream(installedBundle() / "hugeIcon.png", std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(size));

    const rt::Ref<ui::Image> icon = BundleHelper::getImageWithName("hugeIcon");
    ASSERT_TRUE(icon);
    EXPECT_LE(icon->pixelWidth(), 256u);
    EXPECT_LE(icon->pixelHeight(), 256u);
    EXPECT_EQ(icon->size(), (ui::Size{2048, 2048}));
    EXPECT_TRUE(icon->isTemplate());
}

TEST_F(BundleHelperTest, LocalizedStringsComeFromThePhonesLanguageWithTheKeyAsFallback) {
    EXPECT_EQ(BundleHelper::getLocalizedStringFor("wifi"), "Wi-Fi");
    EXPECT_EQ(BundleHelper::getLocalizedStringFor("no such key"), "no such key");
    boot(withLocale("ar_SA"));
    EXPECT_EQ(BundleHelper::getLocalizedStringFor("Brightness"), "السطوع");
    EXPECT_EQ(BundleHelper::getLocalizedStringFor("no such key"), "no such key");
}

TEST_F(BundleHelperTest, WithoutTheBundleEveryResultIsEmpty) {
    boot({}, /*withBundle=*/false);
    EXPECT_FALSE(BundleHelper::getBundle());
    EXPECT_FALSE(BundleHelper::getImageWithName("wifiIcon"));
    EXPECT_EQ(BundleHelper::getLocalizedStringFor("wifi"), "");
}

// --- HapticFeedbackHelper ---

using HapticFeedbackHelperTest = WidgetTest;

TEST_F(HapticFeedbackHelperTest, SendImpactGivesOneLightTapAndAStyleIsPassedOn) {
    HapticFeedbackHelper::sendImpact();
    HapticFeedbackHelper::sendImpactWithStyle(2);
    EXPECT_EQ(device::Phone::shared().impacts(), (std::vector<long long>{0, 2}));
}

TEST_F(HapticFeedbackHelperTest, WithoutTheGeneratorClassNothingHappens) {
    device::DeviceConfiguration configuration;
    configuration.leftOutClasses.insert("UIImpactFeedbackGenerator");
    boot(configuration);
    HapticFeedbackHelper::sendImpact();
    HapticFeedbackHelper::sendImpactWithStyle(1);
    EXPECT_EQ(impactCount(), 0u);
}

// --- LocalizationHelper ---

using LocalizationHelperTest = WidgetTest;

TEST_F(LocalizationHelperTest, PluralSupportFollowsCaseSensitiveSubstringsOfTheLocale) {
    for (const char* identifier : {"en_US", "fr_FR", "en_AR"}) {
        boot(withLocale(identifier));
        EXPECT_TRUE(LocalizationHelper::languageSupportsPlural()) << identifier;
    }
    for (const char* identifier : {"it_IT", "de_CH", "ar_SA", "ko_KR", "zh-Hans_CN", "ms_MY"}) {
        boot(withLocale(identifier));
        EXPECT_FALSE(LocalizationHelper::languageSupportsPlural()) << identifier;
    }
}

TEST_F(LocalizationHelperTest, ArabicLocalesWriteArabicIndicDigits) {
    boot(withLocale("ar_SA"));
    EXPECT_EQ(LocalizationHelper::getLocalizedNumberStringFrom(42), "\u0664\u0662");
    EXPECT_EQ(
        LocalizationHelper::replaceNumbersWithLocalizedNumbersFromString("Wi-Fi 5, 2024: 90%"),
        "Wi-Fi \u0665, \u0662\u0660\u0662\u0664: \u0669\u0660%");
    // Every Arabic locale takes the digits of "ar", even one whose region writes Western ones.
    boot(withLocale("ar_MA"));
    EXPECT_EQ(LocalizationHelper::getLocalizedNumberStringFrom(7), "\u0667");
}

TEST_F(LocalizationHelperTest, OtherLocalesKeepWesternDigits) {
    for (const char* identifier : {"en_US", "en_AR"}) {
        boot(withLocale(identifier));
        EXPECT_EQ(LocalizationHelper::getLocalizedNumberStringFrom(-15), "-15") << identifier;
        EXPECT_EQ(
            LocalizationHelper::replaceNumbersWithLocalizedNumbersFromString("Custom value: 30%"),
            "Custom value: 30%")
            << identifier;
    }
}

// --- ButtonWithIncreasedTouchArea ---

using ButtonWithIncreasedTouchAreaTest = WidgetTest;

TEST_F(ButtonWithIncreasedTouchAreaTest, TouchesUpToTwentyPointsOutsideHitTheButton) {
    auto root = rt::make<ui::View>(ui::Rect(0, 0, 320, 480));
    auto button = rt::make<ButtonWithIncreasedTouchArea>(ui::Rect(100, 100, 28, 28));
    root->addSubview(button.get());
    ui::SimulatedFinger finger(root.get());

    EXPECT_EQ(finger.tap({128 + 15, 114}), button);
    EXPECT_NE(finger.tap({128 + 21, 114}), button);
    EXPECT_EQ(finger.tap({80, 80}), button);         // left and top edges of the area are inside
    EXPECT_NE(finger.tap({128 + 20, 114}), button);  // its right edge is outside
    EXPECT_NE(finger.tap({114, 128 + 20}), button);  // and so is its bottom edge
}

TEST_F(ButtonWithIncreasedTouchAreaTest, ATapInTheMarginSendsTheButtonsAction) {
    auto root = rt::make<ui::View>(ui::Rect(0, 0, 320, 480));
    auto button = rt::make<ButtonWithIncreasedTouchArea>(ui::Rect(100, 100, 28, 28));
    root->addSubview(button.get());
    rt::addMethods(rt::registerClass<TapCounter>(), {rt::bind<&countTap>("tapped:")});
    auto counter = rt::make<TapCounter>();
    button->addTarget(counter.get(), rt::sel("tapped:"), ui::ControlEvents::kTouchUpInside);

    ui::SimulatedFinger(root.get()).tap({95, 95});
    EXPECT_EQ(counter->taps, 1);
}
