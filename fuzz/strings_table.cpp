// libFuzzer target for localized strings tables (text in UTF-8 or UTF-16, or a property
// list): any input is answered without a crash, and a table that parses finds its keys.
#include "foundation/StringsTable.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto table =
        ui::StringsTable::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (table) table->find("Volume");
    return 0;
}
