// libFuzzer target for the property-list readers: any input must be answered without a
// crash, and whatever reads must survive a round trip through our writers.
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Iplatform \
//       fuzz/plist_parse.cpp platform/core/plist/*.cpp platform/core/files/*.cpp -o plist_parse
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto value =
        core::parsePropertyList(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!value) return 0;
    const std::string binary = core::toBinaryPropertyList(*value);
    const auto fromBinary = core::parsePropertyList(binary);
    if (binary.empty() || !fromBinary || !(*fromBinary == *value))
        std::abort();  // everything we read, we must write and read back equal
    const std::string xml = core::toXmlPropertyList(*value);
    if (!xml.empty() && !core::parsePropertyList(xml)) std::abort();  // XML we write must read back
    return 0;
}
