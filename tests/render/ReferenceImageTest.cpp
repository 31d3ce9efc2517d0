// Fixed scenes compared with their reference pictures within a small tolerance, so a change
// of look is seen; `cmake --build --preset default --target render_references` redraws them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "Scenes.h"

namespace {

struct Difference {
    double meanPerComponent = 0;  // 0…255
    double shareOfDifferentPixels = 0;
};

// A pixel counts as different when a component differs by more than 48 (antialiasing of a
// slightly different rasteriser stays below).
Difference compare(const render::Picture& a, const render::Picture& b) {
    Difference difference;
    const long pixels = static_cast<long>(a.pixelWidth()) * a.pixelHeight();
    double sum = 0;
    long different = 0;
    for (int y = 0; y < a.pixelHeight(); ++y) {
        for (int x = 0; x < a.pixelWidth(); ++x) {
            const render::Pixel p = a.pixel(x, y);
            const render::Pixel q = b.pixel(x, y);
            const int deltas[] = {std::abs(p.red - q.red), std::abs(p.green - q.green),
                                  std::abs(p.blue - q.blue), std::abs(p.alpha - q.alpha)};
            int largest = 0;
            for (int delta : deltas) {
                sum += delta;
                largest = std::max(largest, delta);
            }
            if (largest > 48) ++different;
        }
    }
    difference.meanPerComponent = sum / (4.0 * pixels);
    difference.shareOfDifferentPixels = static_cast<double>(different) / pixels;
    return difference;
}

}  // namespace

TEST(ReferencePictures, EachFixedSceneLooksAsItsReference) {
    for (const auto& scene : render_testing::referenceScenes()) {
        SCOPED_TRACE(scene.name);
        const auto reference = render::Picture::readPng(std::string(RENDER_REFERENCES_DIR) + "/" +
                                                        scene.name + ".png");
        ASSERT_TRUE(reference) << "no reference picture; build the render_references target";
        const render::Picture drawn = scene.draw();
        ASSERT_EQ(drawn.pixelWidth(), reference->pixelWidth());
        ASSERT_EQ(drawn.pixelHeight(), reference->pixelHeight());
        const Difference difference = compare(drawn, *reference);
        EXPECT_LT(difference.meanPerComponent, 1.0);
        EXPECT_LT(difference.shareOfDifferentPixels, 0.002);
    }
}

TEST(ReferencePictures, DrawingIsDeterministic) {
    for (const auto& scene : render_testing::referenceScenes()) {
        SCOPED_TRACE(scene.name);
        EXPECT_TRUE(scene.draw().samePixelsAs(scene.draw()));
    }
}
