#include <gtest/gtest.h>

#include "PngFixture.h"
#include "ToolkitFixture.h"
#include "rt/Make.h"
#include "ui/Button.h"
#include "ui/DecodedImageCache.h"
#include "ui/Image.h"
#include "ui/ImageView.h"
#include "ui/PngDecoder.h"

#include <zlib.h>

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

// A PNG chunk: length, type, data and CRC.
void appendChunk(std::vector<std::uint8_t>& png, const char* type,
                 const std::vector<std::uint8_t>& data) {
    const auto appendWord = [&png](std::uint32_t word) {
        for (int shift = 24; shift >= 0; shift -= 8) png.push_back((word >> shift) & 0xFF);
    };
    appendWord(static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    appendWord(static_cast<std::uint32_t>(
        crc32(0, png.data() + typeStart, static_cast<uInt>(png.size() - typeStart))));
}

// A grey PNG of the given size whose pixels are all black, compressed (a 4096 x 4096 picture
// takes a few kilobytes); with `rows` set, only that many rows of data follow the header.
std::vector<std::uint8_t> blackPng(std::uint32_t width, std::uint32_t height,
                                   std::optional<std::uint32_t> rows = std::nullopt) {
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    for (const std::uint32_t word : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) header.push_back((word >> shift) & 0xFF);
    header.insert(header.end(), {8, 0, 0, 0, 0});  // 8-bit grey, no interlace
    appendChunk(png, "IHDR", header);
    const std::vector<std::uint8_t> raw(static_cast<std::size_t>(rows.value_or(height)) *
                                        (width + 1));  // filter byte 0 and black pixels
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> compressed(size);
    compress(compressed.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
    compressed.resize(size);
    appendChunk(png, "IDAT", compressed);
    appendChunk(png, "IEND", {});
    return png;
}

TEST_F(ImageTest, HeadersClaimingTooManyPixelsGiveNoImage) {
    // A 16384 x 16384 header followed by one row: refused from the header alone.
    const auto hostile = blackPng(16384, 16384, 1);
    EXPECT_LT(hostile.size(), 1024u);
    EXPECT_FALSE(Image::imageWithPngData(hostile));
    writeBytes(root() / "Library/huge.png", hostile);
    EXPECT_FALSE(Image::imageWithContentsOfFile("/Library/huge.png"));
    EXPECT_FALSE(Image::imageWithPngData(blackPng(4097, 4096, 1)));
    EXPECT_TRUE(Image::imageWithPngData(blackPng(16384, 1)));

    // The limit itself.
    using ui::PngDecoder;
    EXPECT_TRUE(PngDecoder::acceptsSize(4096, 4096));
    EXPECT_TRUE(PngDecoder::acceptsSize(16384, 1024));
    EXPECT_FALSE(PngDecoder::acceptsSize(4096, 4097));
    EXPECT_FALSE(PngDecoder::acceptsSize(16385, 1));
    EXPECT_FALSE(PngDecoder::acceptsSize(0, 1));
    EXPECT_FALSE(PngDecoder::acceptsSize(65536, 65536)) << "no overflow of the product";
}

TEST_F(ImageTest, TheDecodedImageCacheStaysWithinItsByteBound) {
    auto& cache = ui::DecodedImageCache::shared();
    // 40 distinct 512 x 512 images: 40 MiB decoded, more than the bound.
    const auto png = blackPng(512, 512);
    for (int index = 0; index < 40; ++index) {
        const std::string path = "/Library/Many/icon" + std::to_string(index) + ".png";
        writeBytes(root() / path.substr(1), png);
        ASSERT_TRUE(Image::imageWithContentsOfFile(path));
        EXPECT_LE(cache.bytes(), ui::DecodedImageCache::kCapacityBytes);
    }
    EXPECT_GE(cache.bytes(), ui::DecodedImageCache::kCapacityBytes - 2 * 512 * 512 * 4);

    // The latest image is served from the cache: the same pixels.
    const auto latest = Image::imageWithContentsOfFile("/Library/Many/icon39.png");
    EXPECT_EQ(latest->bitmap(),
              Image::imageWithContentsOfFile("/Library/Many/icon39.png")->bitmap());
}

TEST_F(ImageTest, TheCacheDropsTheLeastRecentlyUsedFirstAndNeverPassesItsBound) {
    const auto bitmap = [](std::uint32_t side) {
        return std::make_shared<const ui::Bitmap>(
            ui::Bitmap{side, side, std::vector<std::uint8_t>(std::size_t{side} * side * 4)});
    };
    const ui::FileVersion version;
    const auto a = bitmap(8), b = bitmap(8), c = bitmap(8);
    const std::size_t cost = ui::DecodedImageCache::costOf("/a", a.get());
    ui::DecodedImageCache cache(2 * cost);
    cache.store("/a", version, a);
    cache.store("/b", version, b);
    EXPECT_EQ(cache.bytes(), 2 * cost) << "exactly full";
    EXPECT_EQ(cache.find("/a", version), a);  // a is now the most recently used
    cache.store("/c", version, c);
    EXPECT_EQ(cache.bytes(), 2 * cost);
    EXPECT_FALSE(cache.find("/b", version));
    EXPECT_EQ(cache.find("/a", version), a);
    EXPECT_EQ(cache.find("/c", version), c);
    cache.store("/big", version, bitmap(16));  // larger than the whole bound: not kept
    EXPECT_FALSE(cache.find("/big", version));
    EXPECT_EQ(cache.count(), 2u);
    ui::FileVersion rewritten;
    rewritten.size = 1;
    EXPECT_FALSE(cache.find("/a", rewritten)) << "another version of the file";
}

TEST_F(ImageTest, AFileRewrittenInPlaceIsDecodedAnew) {
    const auto path = root() / "Library/Art/badge.png";
    writeBytes(path, encodePng(2, 2, std::vector<std::uint8_t>(16, 0)));
    const auto first = Image::imageWithContentsOfFile("/Library/Art/badge.png");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->bitmap(), Image::imageWithContentsOfFile("/Library/Art/badge.png")->bitmap());
    writeBytes(path, encodePng(2, 2, std::vector<std::uint8_t>(16, 255)));
    const auto second = Image::imageWithContentsOfFile("/Library/Art/badge.png");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->bitmap()->rgba, std::vector<std::uint8_t>(16, 255));
}

// A picture larger than what it is shown at is kept reduced, whole factor at a time, with its
// size in points unchanged, its colours averaged by opacity, and failures to decode are
// remembered per version of the file.
TEST_F(ImageTest, ALargePictureIsKeptReducedToItsBoundAtTheSameSizeInPoints) {
    // Left half opaque red, right half transparent: 1024 x 512 pixels drawn for 2x.
    std::vector<std::uint8_t> rgba(std::size_t{1024} * 512 * 4, 0);
    for (std::size_t y = 0; y < 512; ++y)
        for (std::size_t x = 0; x < 512; ++x) {
            rgba[(y * 1024 + x) * 4] = 255;
            rgba[(y * 1024 + x) * 4 + 3] = 255;
        }
    writeBytes(root() / "Library/Art/wide@2x.png", encodePng(1024, 512, rgba));
    const auto image = Image::imageWithContentsOfFile("/Library/Art/wide@2x.png", 128);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelWidth(), 128u);
    EXPECT_EQ(image->pixelHeight(), 64u);
    EXPECT_EQ(image->size(), (ui::Size{512, 256}));
    const auto pixel = [&](std::size_t x, std::size_t y) {
        const auto* at = image->bitmap()->rgba.data() + (y * 128 + x) * 4;
        return std::vector<int>{at[0], at[1], at[2], at[3]};
    };
    EXPECT_EQ(pixel(10, 32), (std::vector<int>{255, 0, 0, 255}));
    EXPECT_EQ(pixel(100, 32)[3], 0);

    writeBytes(root() / "Library/Art/huge.png", blackPng(2048, 2048));
    const auto huge = Image::imageWithContentsOfFile("/Library/Art/huge.png");
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->pixelWidth(), Image::kMaximumPixelSide);
    EXPECT_EQ(huge->size(), (ui::Size{2048, 2048}));
    EXPECT_LE(huge->bitmap()->rgba.size(),
              std::size_t{Image::kMaximumPixelSide} * Image::kMaximumPixelSide * 4);
}

TEST_F(ImageTest, AFailedDecodeIsRememberedForThatVersionOfTheFileOnly) {
    auto& cache = ui::DecodedImageCache::shared();
    const auto path = root() / "Library/Art/cut.png";
    writeBytes(path, blackPng(2048, 2048, 16));  // the header of a large picture, few rows
    const std::size_t failuresBefore = cache.failureCount();
    EXPECT_FALSE(Image::imageWithContentsOfFile("/Library/Art/cut.png"));
    EXPECT_EQ(cache.failureCount(), failuresBefore + 1);
    EXPECT_FALSE(Image::imageWithContentsOfFile("/Library/Art/cut.png"));
    EXPECT_EQ(cache.failureCount(), failuresBefore + 1) << "not decoded again";
    writeBytes(path, encodePng(3, 3, gradientPixels(3, 3)));
    const auto repaired = Image::imageWithContentsOfFile("/Library/Art/cut.png");
    ASSERT_TRUE(repaired);
    EXPECT_EQ(repaired->pixelWidth(), 3u);
}

}  // namespace
