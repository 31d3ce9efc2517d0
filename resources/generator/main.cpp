// make_artwork: draws the template images of MorvaneBundle.bundle into a directory.

#include "ArtworkWriter.h"
#include "GlyphSet.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <exception>
#include <iostream>
#include <string_view>

namespace {

void printUsage(std::ostream& out) {
    out << "usage: make_artwork OUTPUT_DIR\n"
           "\n"
           "Draws every template image of MorvaneBundle.bundle as OUTPUT_DIR/<name>.png\n"
           "("
        << ArtworkWriter::kDefaultPixelSize << " x " << ArtworkWriter::kDefaultPixelSize
        << " px, black glyph on transparent ground), creating OUTPUT_DIR if needed.\n"
           "\n"
           "options:\n"
           "  -h, --help   show this help and exit\n";
}

int writeAll(std::string_view outputDirectory) {
    const ArtworkWriter writer{std::filesystem::path(outputDirectory)};
    for (const Glyph& glyph : GlyphSet::all()) std::cout << writer.write(glyph).string() << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        printUsage(std::cout);
        return 0;
    }
    if (argc != 2 || std::string_view(argv[1]).empty() ||
        std::string_view(argv[1]).starts_with('-')) {
        printUsage(std::cerr);
        return 2;
    }
    int status = 1;
    try {
        status = writeAll(argv[1]);
    } catch (const std::exception& error) {
        std::cerr << "make_artwork: " << error.what() << '\n';
    }
    // Release cairo's caches and then fontconfig's (the text glyphs load fonts through it), so a
    // leak checker sees a clean exit.
    cairo_debug_reset_static_data();
    FcFini();
    return status;
}
