// Fixed scenes compared with their reference pictures region by region, so a change of look
// is seen even when it is small: a missing glyph, mark, knob, separator or label changes its
// region beyond the tolerance; `cmake --build --preset default --target render_references`
// redraws them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "Scenes.h"

namespace {

// The picture is compared in square regions of this many pixels a side.
constexpr int kRegion = 24;
// A pixel counts as different when a component differs by more than this (antialiasing of a
// slightly different rasteriser stays below; a half-covered grey hairline or a white knob's
// soft shadow does not).
constexpr int kPixelTolerance = 24;
// A region differs when more of its pixels than this differ: a 0.5-point hairline across it
// (24 pixels) or a small glyph exceeds it, a few antialiased edge pixels do not.
constexpr int kDifferentPixelsPerRegion = 12;

// The regions (their top-left pixels) where the two pictures differ.
std::vector<std::string> differentRegions(const render::Picture& a, const render::Picture& b) {
    std::vector<std::string> regions;
    for (int top = 0; top < a.pixelHeight(); top += kRegion) {
        for (int left = 0; left < a.pixelWidth(); left += kRegion) {
            int different = 0;
            for (int y = top; y < std::min(top + kRegion, a.pixelHeight()); ++y) {
                for (int x = left; x < std::min(left + kRegion, a.pixelWidth()); ++x) {
                    const render::Pixel p = a.pixel(x, y);
                    const render::Pixel q = b.pixel(x, y);
                    const int largest = std::max(
                        {std::abs(p.red - q.red), std::abs(p.green - q.green),
                         std::abs(p.blue - q.blue), std::abs(p.alpha - q.alpha)});
                    different += largest > kPixelTolerance;
                }
            }
            if (different > kDifferentPixelsPerRegion)
                regions.push_back(std::to_string(left) + "," + std::to_string(top));
        }
    }
    return regions;
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const auto& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

}  // namespace

TEST(ReferencePictures, EachFixedSceneLooksAsItsReferenceInEveryRegion) {
    for (const auto& scene : render_testing::referenceScenes()) {
        SCOPED_TRACE(scene.name);
        const auto reference = render::Picture::readPng(std::string(RENDER_REFERENCES_DIR) + "/" +
                                                        scene.name + ".png");
        ASSERT_TRUE(reference) << "no reference picture; build the render_references target";
        const render::Picture drawn = scene.draw();
        ASSERT_EQ(drawn.pixelWidth(), reference->pixelWidth());
        ASSERT_EQ(drawn.pixelHeight(), reference->pixelHeight());
        const auto regions = differentRegions(drawn, *reference);
        EXPECT_TRUE(regions.empty()) << "regions (pixels) that differ: " << joined(regions);
    }
}

TEST(ReferencePictures, DrawingIsDeterministic) {
    for (const auto& scene : render_testing::referenceScenes()) {
        SCOPED_TRACE(scene.name);
        EXPECT_TRUE(scene.draw().samePixelsAs(scene.draw()));
    }
}
