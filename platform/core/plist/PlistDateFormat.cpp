#include "core/plist/PlistDateFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace core {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date.
constexpr std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

struct CivilDate {
    std::int64_t year;
    unsigned month;
    unsigned day;
};

CivilDate civilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return {static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2), month, day};
}

constexpr std::int64_t kReferenceDay = daysFromCivil(2001, 1, 1);
constexpr double kEarliestSeconds =
    static_cast<double>((daysFromCivil(1, 1, 1) - kReferenceDay) * kSecondsPerDay);
constexpr double kLatestSeconds =
    static_cast<double>((daysFromCivil(10000, 1, 1) - kReferenceDay) * kSecondsPerDay - 1);

bool isLeapYear(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned daysInMonth(std::int64_t year, unsigned month) {
    static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads exactly `width` decimal digits at text[position].
std::optional<unsigned> readDigits(std::string_view text, std::size_t position, std::size_t width) {
    if (position + width > text.size()) return std::nullopt;
    unsigned value = 0;
    const char* first = text.data() + position;
    const auto [end, error] = std::from_chars(first, first + width, value);
    if (error != std::errc() || end != first + width) return std::nullopt;
    return value;
}

}  // namespace

std::string PlistDateFormat::format(double secondsSince2001) {
    const double clamped = std::isnan(secondsSince2001)
                               ? 0.0
                               : std::clamp(secondsSince2001, kEarliestSeconds, kLatestSeconds);
    const auto seconds = static_cast<std::int64_t>(std::floor(clamped));
    const std::int64_t dayOffset = seconds >= 0
                                       ? seconds / kSecondsPerDay
                                       : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
    const std::int64_t secondOfDay = seconds - dayOffset * kSecondsPerDay;
    const CivilDate date = civilFromDays(kReferenceDay + dayOffset);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year),
                  date.month, date.day, static_cast<int>(secondOfDay / 3600),
                  static_cast<int>(secondOfDay / 60 % 60), static_cast<int>(secondOfDay % 60));
    return text;
}

std::optional<double> PlistDateFormat::parse(std::string_view text) {
    // YYYY-MM-DDTHH:MM:SS[.fraction]Z
    if (text.size() < 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const auto year = readDigits(text, 0, 4), month = readDigits(text, 5, 2),
               day = readDigits(text, 8, 2);
    const auto hour = readDigits(text, 11, 2), minute = readDigits(text, 14, 2),
               second = readDigits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
    if (*month < 1 || *month > 12 || *day < 1 || *day > daysInMonth(*year, *month) || *hour > 23 ||
        *minute > 59 || *second > 59)
        return std::nullopt;
    double fraction = 0.0;
    std::size_t position = 19;
    if (text[position] == '.') {
        const std::size_t digitsEnd = text.find_first_not_of("0123456789", position + 1);
        if (digitsEnd == std::string_view::npos || digitsEnd == position + 1) return std::nullopt;
        std::from_chars(text.data() + position, text.data() + digitsEnd, fraction);
        position = digitsEnd;
    }
    if (position + 1 != text.size() || text[position] != 'Z') return std::nullopt;
    const std::int64_t days = daysFromCivil(*year, *month, *day) - kReferenceDay;
    const std::int64_t seconds = days * kSecondsPerDay + *hour * 3600 + *minute * 60 + *second;
    return static_cast<double>(seconds) + fraction;
}

bool PlistDateFormat::isInTextRange(double secondsSince2001) {
    return secondsSince2001 >= kEarliestSeconds && secondsSince2001 < kLatestSeconds + 1;
}

}  // namespace core
