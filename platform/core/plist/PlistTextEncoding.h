#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// UTF-8 and UTF-16 conversions for property-list strings. Invalid input never fails: each
// malformed sequence becomes U+FFFD, so every string a reader produces is valid UTF-8.
class PlistTextEncoding {
  public:
    static constexpr char32_t kReplacementCharacter = 0xFFFD;

    static bool isAscii(std::string_view text);
    // Decodes the code point at position and advances past it (one byte when malformed).
    static char32_t decodeUtf8(std::string_view text, std::size_t& position);
    static void appendUtf8(std::string& out, char32_t codePoint);
    // Writes the code point (U+FFFD for one that is not a scalar value) as one to four bytes
    // at out; answers the end of what was written.
    static char* writeUtf8(char* out, char32_t codePoint);
    static void appendValidUtf8(std::string& out, std::string_view bytes);
    static std::string fromUtf16BigEndian(const std::uint8_t* data, std::size_t unitCount);
    // Appends text as UTF-16 big-endian; answers the number of 16-bit units written.
    static std::size_t appendUtf16BigEndian(std::string& out, std::string_view text);
};

}  // namespace core
