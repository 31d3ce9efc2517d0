#include <gtest/gtest.h>

#include "PngFixture.h"
#include "ToolkitFixture.h"
#include "rt/Make.h"
#include "ui/Button.h"
#include "ui/Image.h"
#include "ui/ImageView.h"

using ui::Image;

namespace {

using ImageTest = ToolkitTest;

TEST_F(ImageTest, PngFilesAreDecodedForReal) {
    writeBytes(root() / "Library/Art.bundle/dot.png", encodePng(6, 4, gradientPixels(6, 4)));
    auto image = Image::imageWithContentsOfFile("/Library/Art.bundle/dot.png");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelWidth(), 6u);
    EXPECT_EQ(image->pixelHeight(), 4u);
    EXPECT_EQ(image->size(), (ui::Size{6, 4}));
    EXPECT_DOUBLE_EQ(image->scale(), 1);
    const auto& rgba = image->bitmap()->rgba;
    ASSERT_EQ(rgba.size(), 6u * 4u * 4u);
    const std::size_t pixel = (2 * 6 + 5) * 4;  // x 5, y 2
    EXPECT_EQ(rgba[pixel], 5);
    EXPECT_EQ(rgba[pixel + 1], 2);
    EXPECT_EQ(rgba[pixel + 2], 7);
    EXPECT_EQ(rgba[pixel + 3], 205);
}

TEST_F(ImageTest, TheScaleComesFromTheFileNameAndSizesAreInPoints) {
    writeBytes(root() / "Library/Art/icon@3x.png",
               encodePng(90, 90, std::vector<std::uint8_t>(90 * 90 * 4, 255)));
    auto image = Image::imageWithContentsOfFile("/Library/Art/icon@3x.png");
    ASSERT_TRUE(image);
    EXPECT_DOUBLE_EQ(image->scale(), 3);
    EXPECT_EQ(image->size(), (ui::Size{30, 30}));
}

TEST_F(ImageTest, AnImageKnowsTheResourceItWasReadFromAndPassesItOn) {
    writeBytes(root() / "Library/Art/volumeIcon@2x.png", encodePng(4, 4, gradientPixels(4, 4)));
    writeBytes(root() / "Library/Art/plain.png", encodePng(2, 2, gradientPixels(2, 2)));
    auto scaled = Image::imageWithContentsOfFile("/Library/Art/volumeIcon@2x.png");
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->resourceName(), "volumeIcon");
    EXPECT_EQ(scaled->imageWithRenderingMode(Image::RenderingMode::AlwaysTemplate)->resourceName(),
              "volumeIcon");
    EXPECT_EQ(Image::imageWithContentsOfFile("/Library/Art/plain.png")->resourceName(), "plain");
    EXPECT_EQ(Image::imageWithPngData(encodePng(2, 2, gradientPixels(2, 2)))->resourceName(), "");
}

TEST_F(ImageTest, MissingCorruptAndForeignFilesGiveNoImage) {
    EXPECT_FALSE(Image::imageWithContentsOfFile("/Library/none.png"));
    auto bytes = encodePng(3, 3, gradientPixels(3, 3));
    bytes.resize(bytes.size() / 2);
    writeBytes(root() / "Library/cut.png", bytes);
    EXPECT_FALSE(Image::imageWithContentsOfFile("/Library/cut.png"));
    writeText(root() / "Library/text.png", "not a picture");
    EXPECT_FALSE(Image::imageWithContentsOfFile("/Library/text.png"));
    EXPECT_FALSE(Image::imageWithContentsOfFile("relative.png"));
    EXPECT_FALSE(Image::imageWithContentsOfFile("/Library/../../escape.png"));
}

TEST_F(ImageTest, TemplateImagesShareThePixelsAndTakeTheTintOfTheirView) {
    auto original = Image::imageWithPngData(encodePng(2, 2, gradientPixels(2, 2)));
    ASSERT_TRUE(original);
    EXPECT_EQ(original->renderingMode(), Image::RenderingMode::Automatic);
    auto glyph = original->imageWithRenderingMode(Image::RenderingMode::AlwaysTemplate);
    EXPECT_TRUE(glyph->isTemplate());
    EXPECT_FALSE(original->isTemplate());
    EXPECT_EQ(glyph->bitmap(), original->bitmap());

    auto button = ui::Button::buttonWithType(ui::Button::Type::System);
    button->setImage(glyph, ui::ControlState::kNormal);
    button->setTintColor(ui::Color::whiteColor());
    EXPECT_TRUE(button->imageView()->renderingColor()->isEqual(ui::Color::whiteColor().get()));
    button->imageView()->setImage(original);
    EXPECT_FALSE(button->imageView()->renderingColor());
}

TEST_F(ImageTest, AnEmptyImageHasNoSize) {
    auto empty = rt::make<Image>();
    EXPECT_TRUE(empty->isEmpty());
    EXPECT_EQ(empty->size(), (ui::Size{0, 0}));
}

}  // namespace
