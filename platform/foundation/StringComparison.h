#pragma once

#include <string_view>

namespace ui {

// "compare:options:" of strings.
class StringComparison {
  public:
    // "NSComparisonResult".
    enum class Result : long { Ascending = -1, Same = 0, Descending = 1 };

    // "NSStringCompareOptions" bits.
    static constexpr unsigned long kCaseInsensitive = 1;
    static constexpr unsigned long kLiteral = 2;
    static constexpr unsigned long kNumeric = 64;

    // Compares byte by byte (ASCII letters folded with kCaseInsensitive); with kNumeric, runs
    // of digits compare by their numeric value, so "11.4.10" follows "11.4.9" and "12.0"
    // follows "11.4.1". Equal numbers written differently ("01", "1") compare by the rest
    // and then by their length.
    static Result compare(std::string_view left, std::string_view right, unsigned long options = 0);
};

}  // namespace ui
