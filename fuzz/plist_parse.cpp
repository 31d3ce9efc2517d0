// libFuzzer target for the property-list readers (XML and binary): any input is answered
// without a crash, within the logical size bounds, and whatever reads is written back in
// every form and reads back equal (the preferences writer's form without loss). A few hundred
// bytes of shared references may expand to millions of elements within the bounds; writing
// those out takes seconds, so values past kMostRoundTripElements are only read (the writers'
// handling of large values is tested in tests/core/plist).
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

constexpr std::size_t kMostRoundTripElements = 200000;

// The elements of the value as written out (shared containers at every reference), counted up
// to just past `most`.
std::size_t expandedElements(const core::PlistValue& value, std::size_t most) {
    std::size_t count = 1;
    if (const auto* array = value.asArray()) {
        for (const auto& item : *array) {
            if (count > most) break;
            count += expandedElements(item, most - count);
        }
    } else if (const auto* dictionary = value.asDictionary()) {
        for (const auto& [key, item] : *dictionary) {
            if (count > most) break;
            count += 1 + expandedElements(item, most - count);
        }
    }
    return count;
}

void requireReadsBackEqual(const std::string& bytes, const core::PlistValue& value) {
    const auto reread = core::parsePropertyList(bytes);
    if (bytes.empty() || !reread || !(*reread == value)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto value =
        core::parsePropertyList(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!value || expandedElements(*value, kMostRoundTripElements) > kMostRoundTripElements)
        return 0;
    requireReadsBackEqual(core::toBinaryPropertyList(*value), *value);
    requireReadsBackEqual(core::encodePropertyList(*value, core::PlistFormat::Xml).bytes, *value);
    const std::string xml = core::toXmlPropertyList(*value);
    if (!xml.empty() && !core::parsePropertyList(xml)) std::abort();  // XML we write reads back
    return 0;
}
