#include "ui/BitmapReduction.h"

#include <algorithm>
#include <array>

namespace ui {

std::uint32_t BitmapReduction::factorFor(std::uint32_t width, std::uint32_t height,
                                         std::uint32_t maximumSide) {
    const std::uint32_t side = std::max(width, height);
    if (maximumSide == 0 || side <= maximumSide) return 1;
    return (side + maximumSide - 1) / maximumSide;
}

Bitmap BitmapReduction::reduce(Bitmap bitmap, std::uint32_t factor) {
    if (factor <= 1 || bitmap.width == 0 || bitmap.height == 0) return bitmap;
    Bitmap reduced;
    reduced.width = (bitmap.width + factor - 1) / factor;
    reduced.height = (bitmap.height + factor - 1) / factor;
    reduced.rgba.resize(std::size_t{reduced.width} * reduced.height * 4);
    // Sums of one row of reduced pixels: opacity-weighted colour and opacity, and the count.
    std::vector<std::array<std::uint64_t, 5>> sums(reduced.width);
    for (std::uint32_t outY = 0; outY < reduced.height; ++outY) {
        std::fill(sums.begin(), sums.end(), std::array<std::uint64_t, 5>{});
        const std::uint32_t endY = std::min(bitmap.height, (outY + 1) * factor);
        for (std::uint32_t y = outY * factor; y < endY; ++y) {
            const std::uint8_t* row = bitmap.rgba.data() + std::size_t{y} * bitmap.width * 4;
            for (std::uint32_t x = 0; x < bitmap.width; ++x) {
                const std::uint8_t* pixel = row + std::size_t{x} * 4;
                auto& sum = sums[x / factor];
                for (int channel = 0; channel < 3; ++channel)
                    sum[channel] += std::uint64_t{pixel[channel]} * pixel[3];
                sum[3] += pixel[3];
                ++sum[4];
            }
        }
        std::uint8_t* out = reduced.rgba.data() + std::size_t{outY} * reduced.width * 4;
        for (const auto& sum : sums) {
            for (int channel = 0; channel < 3; ++channel)
                *out++ =
                    static_cast<std::uint8_t>(sum[3] ? (sum[channel] + sum[3] / 2) / sum[3] : 0);
            *out++ = static_cast<std::uint8_t>((sum[3] + sum[4] / 2) / sum[4]);
        }
    }
    return reduced;
}

}  // namespace ui
