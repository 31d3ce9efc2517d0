#pragma once

#include <string>

#include "foundation/Locale.h"
#include "rt/Object.h"
#include "rt/Ref.h"

namespace rt {
class Number;
}

namespace ui {

// Formats numbers for a locale ("NSNumberFormatter"), with the locale's digits, minus sign
// and separators: Arabic ("ar", except the Maghreb regions, which write Western digits) uses
// the Arabic-Indic digits U+0660...U+0669, Persian and Urdu the extended ones U+06F0...U+06F9.
class NumberFormatter : public rt::Object {
  public:
    static constexpr const char* kClassName = "NSNumberFormatter";

    // "NSNumberFormatterStyle".
    static constexpr long kStyleNone = 0;
    static constexpr long kStyleDecimal = 1;

    NumberFormatter();

    const rt::Ref<Locale>& locale() const { return _locale; }
    // Null goes back to the current locale.
    void setLocale(rt::Ref<Locale> locale);
    long numberStyle() const { return _numberStyle; }
    // The decimal style groups thousands and shows up to three fraction digits.
    void setNumberStyle(long style);
    long maximumFractionDigits() const { return _maximumFractionDigits; }
    void setMaximumFractionDigits(long digits) { _maximumFractionDigits = digits < 0 ? 0 : digits; }

    // "stringFromNumber:": empty for a null number.
    std::string stringFromNumber(const rt::Number* number) const;
    std::string stringFromInteger(long long value) const;
    std::string stringFromDouble(double value) const;

    // The locale's ten digits, "0" to "9" in its script.
    static const char* const* digitsForLocale(const Locale& locale);

  private:
    std::string localize(const std::string& plain, bool negative) const;

    rt::Ref<Locale> _locale;
    long _numberStyle = kStyleNone;
    long _maximumFractionDigits = 0;
    bool _usesGrouping = false;
};

}  // namespace ui
