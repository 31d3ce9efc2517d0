#include "core/plist/PlistTextEncoding.h"

#include <cstring>

namespace core {

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

bool isSurrogate(char32_t codePoint) {
    return codePoint >= 0xD800 && codePoint <= 0xDFFF;
}

}  // namespace

bool PlistTextEncoding::isAscii(std::string_view text) {
    // Eight bytes at a time: any byte with its top bit set is not ASCII.
    constexpr std::uint64_t kTopBits = 0x8080808080808080ull;
    std::size_t position = 0;
    for (; position + 8 <= text.size(); position += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + position, 8);
        if (word & kTopBits) return false;
    }
    for (; position < text.size(); ++position) {
        if (static_cast<unsigned char>(text[position]) >= 0x80) return false;
    }
    return true;
}

char32_t PlistTextEncoding::decodeUtf8(std::string_view text, std::size_t& position) {
    const auto lead = static_cast<unsigned char>(text[position]);
    if (lead < 0x80) {
        ++position;
        return lead;
    }
    std::size_t length = 0;
    char32_t codePoint = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        ++position;
        return kReplacementCharacter;
    }
    if (position + length > text.size()) {
        ++position;
        return kReplacementCharacter;
    }
    for (std::size_t index = 1; index < length; ++index) {
        const auto byte = static_cast<unsigned char>(text[position + index]);
        if (!isContinuation(byte)) {
            ++position;
            return kReplacementCharacter;
        }
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || isSurrogate(codePoint)) {
        ++position;
        return kReplacementCharacter;
    }
    position += length;
    return codePoint;
}

char* PlistTextEncoding::writeUtf8(char* out, char32_t codePoint) {
    if (codePoint > 0x10FFFF || isSurrogate(codePoint)) codePoint = kReplacementCharacter;
    if (codePoint < 0x80) {
        *out++ = static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

void PlistTextEncoding::appendUtf8(std::string& out, char32_t codePoint) {
    char encoded[4];
    out.append(encoded, writeUtf8(encoded, codePoint));
}

void PlistTextEncoding::appendValidUtf8(std::string& out, std::string_view bytes) {
    if (isAscii(bytes)) {
        out.append(bytes);
        return;
    }
    for (std::size_t position = 0; position < bytes.size();)
        appendUtf8(out, decodeUtf8(bytes, position));
}

std::string PlistTextEncoding::fromUtf16BigEndian(const std::uint8_t* data, std::size_t unitCount) {
    const auto unitAt = [data](std::size_t index) {
        return static_cast<char32_t>((data[2 * index] << 8) | data[2 * index + 1]);
    };
    // Calls visit with each code point; a lone surrogate is passed on (and becomes U+FFFD).
    const auto forEachCodePoint = [&](auto&& visit) {
        for (std::size_t index = 0; index < unitCount; ++index) {
            const char32_t unit = unitAt(index);
            if (unit >= 0xD800 && unit <= 0xDBFF && index + 1 < unitCount &&
                unitAt(index + 1) >= 0xDC00 && unitAt(index + 1) <= 0xDFFF) {
                visit(0x10000 + ((unit - 0xD800) << 10) + (unitAt(index + 1) - 0xDC00));
                ++index;
            } else {
                visit(unit);
            }
        }
    };
    // Measured first, then written in place: no growth and no slack.
    std::size_t length = 0;
    forEachCodePoint([&length](char32_t codePoint) {
        length += codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
    });
    std::string out(length, '\0');
    char* end = out.data();
    forEachCodePoint([&end](char32_t codePoint) { end = writeUtf8(end, codePoint); });
    return out;
}

std::size_t PlistTextEncoding::appendUtf16BigEndian(std::string& out, std::string_view text) {
    const auto appendUnit = [&out](char32_t unit) {
        out += static_cast<char>(unit >> 8);
        out += static_cast<char>(unit & 0xFF);
    };
    std::size_t units = 0;
    for (std::size_t position = 0; position < text.size();) {
        const char32_t codePoint = decodeUtf8(text, position);
        if (codePoint >= 0x10000) {
            appendUnit(0xD800 + ((codePoint - 0x10000) >> 10));
            appendUnit(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
            units += 2;
        } else {
            appendUnit(codePoint);
            ++units;
        }
    }
    return units;
}

}  // namespace core
