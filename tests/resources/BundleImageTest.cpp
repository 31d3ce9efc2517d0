// The shipped template images: each one a real, readable glyph on a transparent ground, all
// distinct.

#include "resources/BundleNames.h"
#include "resources/PngImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kMinimumSide = 90;

std::filesystem::path imagePath(std::string_view name) {
    return kBundleDirectory / (std::string(name) + ".png");
}

// Where the ink lies and how much of it there is.
struct InkSurvey {
    std::size_t opaque = 0;        // alpha 255
    std::size_t transparent = 0;   // alpha 0
    std::size_t partial = 0;       // antialiased edge pixels
    std::size_t nonBlackInk = 0;   // visible pixels whose colour is not black
    int left, top, right, bottom;  // bounding box of visible pixels, inclusive

    explicit InkSurvey(const PngImage& image)
        : left(image.width), top(image.height), right(-1), bottom(-1) {
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const int alpha = image.alpha(x, y);
                if (alpha == 0) {
                    ++transparent;
                    continue;
                }
                alpha == 255 ? ++opaque : ++partial;
                if (!image.isBlack(x, y)) ++nonBlackInk;
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    int inkWidth() const { return right - left + 1; }
    int inkHeight() const { return bottom - top + 1; }
};

class BundleImage : public testing::TestWithParam<std::string_view> {
  protected:
    PngImage load() const { return PngImage::read(imagePath(GetParam())); }
};

TEST_P(BundleImage, IsASquarePngWithAlphaOfAtLeastNinetyPixels) {
    ASSERT_TRUE(std::filesystem::is_regular_file(imagePath(GetParam()))) << imagePath(GetParam());
    const PngImage image = load();
    EXPECT_GE(image.width, kMinimumSide);
    EXPECT_EQ(image.width, image.height);
    EXPECT_TRUE(image.fileHasAlpha) << "a template image carries its shape in the alpha channel";
}

TEST_P(BundleImage, IsAnAntialiasedBlackGlyphOnATransparentGround) {
    const PngImage image = load();
    const InkSurvey ink(image);
    EXPECT_GT(ink.transparent, 0u);
    EXPECT_GT(ink.opaque, 0u);
    EXPECT_GT(ink.partial, 0u) << "edges are expected to be antialiased";
    EXPECT_EQ(ink.nonBlackInk, 0u) << "the glyph is tinted by the UI, its colour must be black";
    const int last = image.width - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
        EXPECT_EQ(image.alpha(x, y), 0) << "corner " << x << "," << y << " is not transparent";
    }
}

TEST_P(BundleImage, InkIsSubstantialButNotAFilledSquare) {
    const PngImage image = load();
    const InkSurvey ink(image);
    const double opaqueShare =
        static_cast<double>(ink.opaque) / static_cast<double>(image.pixelCount());
    EXPECT_GE(opaqueShare, 0.08) << "too little ink to read at menu size";
    const double boxShare = static_cast<double>(ink.opaque) / (ink.inkWidth() * ink.inkHeight());
    EXPECT_LT(boxShare, 0.9) << "the ink fills its bounding box: a block, not a glyph";
}

TEST_P(BundleImage, FillsTheCanvasEvenlyWithoutTouchingItsEdges) {
    const PngImage image = load();
    const InkSurvey ink(image);
    // A margin keeps strokes from being clipped; a shared visual size keeps the set even in a menu.
    const int margin = image.width / 30;
    EXPECT_GE(ink.left, margin);
    EXPECT_GE(ink.top, margin);
    EXPECT_LT(ink.right, image.width - margin);
    EXPECT_LT(ink.bottom, image.height - margin);
    EXPECT_GE(std::max(ink.inkWidth(), ink.inkHeight()), image.width * 7 / 10)
        << "glyph drawn too small";
    const double inkCenterX = (ink.left + ink.right) / 2.0,
                 inkCenterY = (ink.top + ink.bottom) / 2.0;
    EXPECT_NEAR(inkCenterX, image.width / 2.0, image.width * 0.08) << "glyph off centre";
    EXPECT_NEAR(inkCenterY, image.height / 2.0, image.height * 0.08) << "glyph off centre";
}

INSTANTIATE_TEST_SUITE_P(MorvaneBundle, BundleImage, testing::ValuesIn(kImageNames),
                         [](const testing::TestParamInfo<std::string_view>& info) {
                             return std::string(info.param);
                         });

// Share of pixels whose alpha differs clearly between two images of equal size.
double differingShare(const PngImage& first, const PngImage& second) {
    std::size_t differing = 0;
    for (std::size_t i = 3; i < first.rgba.size(); i += 4) {
        if (std::abs(first.rgba[i] - second.rgba[i]) > 64) ++differing;
    }
    return static_cast<double>(differing) / static_cast<double>(first.pixelCount());
}

TEST(BundleImageSet, EveryImageDiffersFromEveryOther) {
    std::vector<PngImage> images;
    for (std::string_view name : kImageNames) images.push_back(PngImage::read(imagePath(name)));
    for (std::size_t i = 0; i < images.size(); ++i) {
        for (std::size_t j = i + 1; j < images.size(); ++j) {
            if (images[i].width != images[j].width || images[i].height != images[j].height)
                continue;
            EXPECT_GT(differingShare(images[i], images[j]), 0.03)
                << kImageNames[i] << " and " << kImageNames[j] << " are (nearly) the same picture";
        }
    }
}

}  // namespace
