#include "foundation/StringComparison.h"

#include <cctype>

namespace ui {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char fold(char c, bool caseInsensitive) {
    return caseInsensitive ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : c;
}

// Compares the digit runs at the positions by value and advances past them; answers Same for
// equal values.
StringComparison::Result compareNumbers(std::string_view left, std::size_t& i,
                                        std::string_view right, std::size_t& j) {
    while (i < left.size() && left[i] == '0') ++i;
    while (j < right.size() && right[j] == '0') ++j;
    const std::size_t leftStart = i;
    const std::size_t rightStart = j;
    while (i < left.size() && isDigit(left[i])) ++i;
    while (j < right.size() && isDigit(right[j])) ++j;
    const std::string_view leftDigits = left.substr(leftStart, i - leftStart);
    const std::string_view rightDigits = right.substr(rightStart, j - rightStart);
    if (leftDigits.size() != rightDigits.size()) {
        return leftDigits.size() < rightDigits.size() ? StringComparison::Result::Ascending
                                                      : StringComparison::Result::Descending;
    }
    const int order = leftDigits.compare(rightDigits);
    if (order != 0)
        return order < 0 ? StringComparison::Result::Ascending
                         : StringComparison::Result::Descending;
    return StringComparison::Result::Same;
}

}  // namespace

StringComparison::Result StringComparison::compare(std::string_view left, std::string_view right,
                                                   unsigned long options) {
    const bool numeric = (options & kNumeric) != 0;
    const bool caseInsensitive = (options & kCaseInsensitive) != 0;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < left.size() && j < right.size()) {
        if (numeric && isDigit(left[i]) && isDigit(right[j])) {
            const Result numbers = compareNumbers(left, i, right, j);
            if (numbers != Result::Same) return numbers;
            continue;
        }
        const auto a = static_cast<unsigned char>(fold(left[i], caseInsensitive));
        const auto b = static_cast<unsigned char>(fold(right[j], caseInsensitive));
        if (a != b) return a < b ? Result::Ascending : Result::Descending;
        ++i;
        ++j;
    }
    const std::size_t leftRest = left.size() - i;
    const std::size_t rightRest = right.size() - j;
    if (leftRest != rightRest) return leftRest < rightRest ? Result::Ascending : Result::Descending;
    if (left.size() != right.size())
        return left.size() < right.size() ? Result::Ascending : Result::Descending;
    return Result::Same;
}

}  // namespace ui
