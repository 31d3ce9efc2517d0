#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

// The ISO 8601 text of <date> elements ("2001-01-01T00:00:00Z"), converted to and from
// seconds since 2001-01-01 00:00:00 UTC.
class PlistDateFormat {
  public:
    // Whole seconds (rounded down), as the phone writes them; dates outside years
    // 0001-9999 are clamped to that range and NaN is written as the reference date.
    static std::string format(double secondsSince2001);
    static std::optional<double> parse(std::string_view text);
    // True for a finite date within years 0001-9999, the dates the text form can name.
    static bool isInTextRange(double secondsSince2001);
};

}  // namespace core
