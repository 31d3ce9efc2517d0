#include "ui/Font.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "rt/Make.h"

namespace ui {

namespace {

// Share of the point size a character advances, by kind, close to the system font's.
double advanceShare(unsigned char character) {
    if (character == ' ') return 0.26;
    if (std::isdigit(character)) return 0.6;
    if (std::isupper(character)) return 0.66;
    if (std::islower(character)) return 0.52;
    if (character >= 0x80) return 0.0;  // UTF-8 continuation and lead bytes: counted below
    return 0.4;                         // punctuation
}

}  // namespace

rt::Ref<Font> Font::systemFontOfSize(double pointSize) {
    return rt::make<Font>(Weight::Regular, pointSize);
}

rt::Ref<Font> Font::boldSystemFontOfSize(double pointSize) {
    return rt::make<Font>(Weight::Bold, pointSize);
}

rt::Ref<Font> Font::fontWithSize(double pointSize) const {
    return rt::make<Font>(_weight, pointSize);
}

double Font::estimatedWidthOf(const std::string& text) const {
    double shares = 0;
    for (unsigned char character : text) {
        shares += advanceShare(character);
        if ((character & 0xC0) == 0xC0) shares += 0.6;  // one non-ASCII character per lead byte
    }
    const double boldFactor = isBold() ? 1.06 : 1.0;
    return std::max(0.0, shares * _pointSize * boldFactor);
}

}  // namespace ui
