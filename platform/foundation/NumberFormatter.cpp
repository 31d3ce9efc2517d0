#include "foundation/NumberFormatter.h"

#include <cmath>
#include <cstdio>
#include <set>

#include "foundation/Number.h"

namespace ui {

namespace {

const char* const kWesternDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
const char* const kArabicIndicDigits[] = {"\u0660", "\u0661", "\u0662", "\u0663", "\u0664",
                                          "\u0665", "\u0666", "\u0667", "\u0668", "\u0669"};
const char* const kExtendedArabicIndicDigits[] = {"\u06F0", "\u06F1", "\u06F2", "\u06F3", "\u06F4",
                                                  "\u06F5", "\u06F6", "\u06F7", "\u06F8", "\u06F9"};

// Arabic is written with Western digits in these regions.
bool isMaghrebRegion(const std::string& region) {
    static const std::set<std::string, std::less<>> kRegions = {"MA", "DZ", "TN", "LY", "EH"};
    return kRegions.contains(region);
}

bool usesArabicScriptSeparators(const Locale& locale) {
    return NumberFormatter::digitsForLocale(locale) != kWesternDigits;
}

// Rounds half to even at the given number of fraction digits and trims trailing zeros.
std::string plainDecimal(double magnitude, long fractionDigits) {
    const double factor = std::pow(10.0, static_cast<double>(fractionDigits));
    const double rounded = std::nearbyint(magnitude * factor) / factor;
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(fractionDigits), rounded);
    std::string text(buffer);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

std::string grouped(const std::string& integerDigits, const std::string& separator) {
    std::string out;
    const std::size_t count = integerDigits.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) out += separator;
        out += integerDigits[i];
    }
    return out;
}

}  // namespace

NumberFormatter::NumberFormatter() : _locale(Locale::currentLocale()) {}

void NumberFormatter::setLocale(rt::Ref<Locale> locale) {
    _locale = locale ? std::move(locale) : Locale::currentLocale();
}

void NumberFormatter::setNumberStyle(long style) {
    _numberStyle = style;
    _usesGrouping = style == kStyleDecimal;
    _maximumFractionDigits = style == kStyleDecimal ? 3 : 0;
}

const char* const* NumberFormatter::digitsForLocale(const Locale& locale) {
    const std::string language = locale.languageCode();
    if (language == "ar" && !isMaghrebRegion(locale.countryCode())) return kArabicIndicDigits;
    if (language == "fa" || language == "ur" || language == "ps") return kExtendedArabicIndicDigits;
    return kWesternDigits;
}

std::string NumberFormatter::stringFromNumber(const rt::Number* number) const {
    if (!number) return {};
    if (number->kind() == rt::Number::Kind::Real) return stringFromDouble(number->doubleValue());
    return stringFromInteger(number->longLongValue());
}

std::string NumberFormatter::stringFromInteger(long long value) const {
    const bool negative = value < 0;
    const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                                  : static_cast<unsigned long long>(value);
    return localize(std::to_string(magnitude), negative);
}

std::string NumberFormatter::stringFromDouble(double value) const {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-\u221E" : "\u221E";
    const std::string plain = plainDecimal(std::fabs(value), _maximumFractionDigits);
    return localize(plain, std::signbit(value) && plain != "0");
}

// Puts the plain "1234.5" into the locale's digits, separators and sign.
std::string NumberFormatter::localize(const std::string& plain, bool negative) const {
    const char* const* digits = digitsForLocale(*_locale);
    const bool arabicScript = usesArabicScriptSeparators(*_locale);
    const std::size_t point = plain.find('.');
    std::string integerPart = plain.substr(0, point);
    if (_usesGrouping) integerPart = grouped(integerPart, arabicScript ? "\u066C" : ",");
    std::string text = integerPart;
    if (point != std::string::npos)
        text += (arabicScript ? "\u066B" : ".") + plain.substr(point + 1);
    std::string out;
    if (negative) out += arabicScript ? "\u061C-" : "-";  // Arabic marks the sign's direction
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            out += digits[c - '0'];
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace ui
