// The generator: it remakes exactly the shipped images, and fails clearly on bad use.

#include "resources/BundleNames.h"
#include "resources/PngImage.h"
#include "support/Subprocess.h"
#include "support/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using testing_support::run;
using testing_support::shellQuote;
using testing_support::TemporaryDirectory;

int runMakeArtwork(const std::string& arguments, std::string* output = nullptr) {
    return run(shellQuote(MAKE_ARTWORK) + " " + arguments + " 2>&1", output);
}

TEST(MakeArtwork, RemakesTheShippedImages) {
    TemporaryDirectory scratch;
    const std::filesystem::path output = scratch.path() / "made" / "MorvaneBundle.bundle";
    ASSERT_EQ(runMakeArtwork(shellQuote(output.string())), 0)
        << "output directory is created when missing";
    for (std::string_view name : kImageNames) {
        const std::string fileName = std::string(name) + ".png";
        const PngImage made = PngImage::read(output / fileName);
        const PngImage shipped = PngImage::read(kBundleDirectory / fileName);
        ASSERT_EQ(made.width, shipped.width) << name;
        ASSERT_EQ(made.height, shipped.height) << name;
        // Rasterizer versions may move an edge pixel slightly; a changed glyph moves far more.
        std::size_t differing = 0;
        for (std::size_t i = 3; i < made.rgba.size(); i += 4) {
            if (std::abs(made.rgba[i] - shipped.rgba[i]) > 32) ++differing;
        }
        EXPECT_LE(differing, made.pixelCount() / 100)
            << name
            << ": the shipped image is stale; run the `artwork` target and commit the result";
    }
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(output)) {
        EXPECT_EQ(entry.path().extension(), ".png") << "left behind: " << entry.path();
        ++files;
    }
    EXPECT_EQ(files, kImageNames.size());
}

TEST(MakeArtwork, ExplainsItsUse) {
    std::string help;
    EXPECT_EQ(runMakeArtwork("--help", &help), 0);
    EXPECT_NE(help.find("usage: make_artwork OUTPUT_DIR"), std::string::npos) << help;

    std::string complaint;
    EXPECT_NE(runMakeArtwork("", &complaint), 0);
    EXPECT_NE(complaint.find("usage:"), std::string::npos) << complaint;
    EXPECT_NE(runMakeArtwork("--bogus"), 0);
    EXPECT_NE(runMakeArtwork("one two"), 0);
}

TEST(MakeArtwork, FailsWhenTheOutputIsNotADirectory) {
    TemporaryDirectory scratch;
    const std::filesystem::path plainFile = scratch.path() / "occupied";
    std::ofstream(plainFile) << "not a directory";
    std::string complaint;
    EXPECT_NE(runMakeArtwork(shellQuote(plainFile.string()), &complaint), 0);
    EXPECT_NE(complaint.find("occupied"), std::string::npos) << complaint;
}

}  // namespace
