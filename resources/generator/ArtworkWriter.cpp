#include "ArtworkWriter.h"

#include "GlyphCanvas.h"

#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

ArtworkWriter::ArtworkWriter(std::filesystem::path outputDirectory, int pixelSize)
    : _outputDirectory(std::move(outputDirectory)), _pixelSize(pixelSize) {
    std::error_code error;
    std::filesystem::create_directories(_outputDirectory, error);
    if (error || !std::filesystem::is_directory(_outputDirectory)) {
        throw std::runtime_error("cannot use output directory " + _outputDirectory.string() +
                                 (error ? ": " + error.message() : ": not a directory"));
    }
}

std::filesystem::path ArtworkWriter::write(const Glyph& glyph) const {
    GlyphCanvas canvas(_pixelSize);
    glyph.draw(canvas);
    const std::string fileName = std::string(glyph.name) + ".png";
    const std::filesystem::path target = _outputDirectory / fileName;
    const std::filesystem::path temporary = _outputDirectory / ("." + fileName + ".tmp");
    try {
        canvas.writePng(temporary);
        std::filesystem::rename(temporary, target);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw;
    }
    return target;
}
