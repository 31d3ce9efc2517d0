#include "core/plist/PlistBase64.h"

#include <array>

namespace core {

namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kInvalid = -1;
constexpr int kSkipped = -2;
constexpr int kPadding = -3;

constexpr std::array<int, 256> makeDecodingTable() {
    std::array<int, 256> table{};
    table.fill(kInvalid);
    for (std::size_t index = 0; index < kAlphabet.size(); ++index)
        table[static_cast<unsigned char>(kAlphabet[index])] = static_cast<int>(index);
    for (const char space : std::string_view(" \t\r\n\f\v"))
        table[static_cast<unsigned char>(space)] = kSkipped;
    table['='] = kPadding;
    return table;
}

constexpr std::array<int, 256> kDecodingTable = makeDecodingTable();

}  // namespace

void PlistBase64::append(std::string& out, const std::uint8_t* bytes, std::size_t count) {
    std::size_t index = 0;
    for (; index + 3 <= count; index += 3) {
        const unsigned group = (bytes[index] << 16) | (bytes[index + 1] << 8) | bytes[index + 2];
        out += kAlphabet[(group >> 18) & 0x3F];
        out += kAlphabet[(group >> 12) & 0x3F];
        out += kAlphabet[(group >> 6) & 0x3F];
        out += kAlphabet[group & 0x3F];
    }
    if (index == count) return;
    const bool hasSecond = index + 1 < count;
    const unsigned group = (bytes[index] << 16) | (hasSecond ? bytes[index + 1] << 8 : 0);
    out += kAlphabet[(group >> 18) & 0x3F];
    out += kAlphabet[(group >> 12) & 0x3F];
    out += hasSecond ? kAlphabet[(group >> 6) & 0x3F] : '=';
    out += '=';
}

std::optional<PlistBytes> PlistBase64::decode(std::string_view text) {
    PlistBytes bytes;
    bytes.reserve(text.size() / 4 * 3);
    unsigned group = 0;
    int sextets = 0;
    bool padded = false;
    for (const char character : text) {
        const int code = kDecodingTable[static_cast<unsigned char>(character)];
        if (code == kSkipped) continue;
        if (code == kInvalid || (padded && code != kPadding)) return std::nullopt;
        if (code == kPadding) {
            padded = true;
            continue;
        }
        group = (group << 6) | static_cast<unsigned>(code);
        if (++sextets == 4) {
            bytes.push_back(static_cast<std::uint8_t>(group >> 16));
            bytes.push_back(static_cast<std::uint8_t>(group >> 8));
            bytes.push_back(static_cast<std::uint8_t>(group));
            group = 0;
            sextets = 0;
        }
    }
    if (sextets == 1) return std::nullopt;
    if (sextets >= 2) bytes.push_back(static_cast<std::uint8_t>(group >> (sextets == 2 ? 4 : 10)));
    if (sextets == 3) bytes.push_back(static_cast<std::uint8_t>(group >> 2));
    return bytes;
}

}  // namespace core
