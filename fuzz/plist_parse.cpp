// libFuzzer target for the property-list readers (XML and binary): any input is answered
// without a crash, within the logical size bounds, and whatever reads is written back in
// every form and reads back equal (the preferences writer's form without loss).
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void requireReadsBackEqual(const std::string& bytes, const core::PlistValue& value) {
    const auto reread = core::parsePropertyList(bytes);
    if (bytes.empty() || !reread || !(*reread == value)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto value =
        core::parsePropertyList(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!value) return 0;
    requireReadsBackEqual(core::toBinaryPropertyList(*value), *value);
    requireReadsBackEqual(core::encodePropertyList(*value, core::PlistFormat::Xml).bytes, *value);
    const std::string xml = core::toXmlPropertyList(*value);
    if (!xml.empty() && !core::parsePropertyList(xml)) std::abort();  // XML we write reads back
    return 0;
}
