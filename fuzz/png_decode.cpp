// libFuzzer target for the PNG decoder that image loading uses: any input is answered
// without a crash, no image beyond the pixel limit is decoded, and a decoded image holds
// exactly its pixels.
#include "ui/PngDecoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bitmap = ui::PngDecoder::decode(std::vector<std::uint8_t>(data, data + size));
    if (!bitmap) return 0;
    const std::uint64_t pixels = std::uint64_t{bitmap->width} * bitmap->height;
    if (pixels == 0 || pixels > ui::PngDecoder::kMaximumPixels || bitmap->rgba.size() != 4 * pixels)
        std::abort();
    return 0;
}
