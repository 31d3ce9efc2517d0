#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/plist/PlistValue.h"

namespace core {

// Base64 for <data> elements of XML property lists.
class PlistBase64 {
  public:
    static void append(std::string& out, const std::uint8_t* bytes, std::size_t count);
    // Decodes text, ignoring whitespace; nullopt on any other invalid character.
    static std::optional<PlistBytes> decode(std::string_view text);
};

}  // namespace core
