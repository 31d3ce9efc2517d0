#pragma once

#include "Glyph.h"

#include <filesystem>

// Renders glyphs and stores them as "<name>.png" in one output directory.
class ArtworkWriter {
  public:
    static constexpr int kDefaultPixelSize = 120;

    // Creates the directory when it is missing; throws std::runtime_error when it cannot be used.
    explicit ArtworkWriter(std::filesystem::path outputDirectory,
                           int pixelSize = kDefaultPixelSize);

    // Draws the glyph and replaces its file atomically (a reader sees the old image or the new one,
    // never a partial one); answers the path written. Throws std::runtime_error on failure.
    std::filesystem::path write(const Glyph& glyph) const;

  private:
    std::filesystem::path _outputDirectory;
    int _pixelSize;
};
