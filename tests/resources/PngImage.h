#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A PNG file decoded with libpng into 8-bit RGBA.
struct PngImage {
    int width = 0;
    int height = 0;
    bool fileHasAlpha = false;  // whether the file itself carries transparency
    std::vector<std::uint8_t> rgba;

    // Decodes `path`; throws std::runtime_error naming the file and libpng's message on failure.
    static PngImage read(const std::filesystem::path& path);

    std::size_t pixelCount() const {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
    std::uint8_t alpha(int x, int y) const { return rgba[pixelOffset(x, y) + 3]; }
    bool isBlack(int x, int y) const {
        const std::size_t offset = pixelOffset(x, y);
        return rgba[offset] == 0 && rgba[offset + 1] == 0 && rgba[offset + 2] == 0;
    }

  private:
    std::size_t pixelOffset(int x, int y) const {
        return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)) *
               4;
    }
};
