#include <gtest/gtest.h>

#include "ToolkitFixture.h"
#include "foundation/Locale.h"
#include "foundation/Number.h"
#include "foundation/NumberFormatter.h"
#include "foundation/StringComparison.h"
#include "rt/Make.h"

using ui::Locale;
using ui::NumberFormatter;
using ui::StringComparison;

namespace {

using FormattingTest = ToolkitTest;

TEST_F(FormattingTest, ArabicNumbersUseArabicIndicDigits) {
    auto formatter = rt::make<NumberFormatter>();
    formatter->setLocale(Locale::localeWithLocaleIdentifier("ar"));
    EXPECT_EQ(formatter->stringFromNumber(rt::make<rt::Number>(7).get()), "\u0667");
    EXPECT_EQ(formatter->stringFromNumber(rt::make<rt::Number>(1905).get()),
              "\u0661\u0669\u0660\u0665");
    EXPECT_EQ(formatter->stringFromInteger(-42), "\u061C-\u0664\u0662");
    EXPECT_EQ(formatter->stringFromNumber(nullptr), "");

    formatter->setLocale(
        Locale::localeWithLocaleIdentifier("ar_MA"));  // the Maghreb writes Western digits
    EXPECT_EQ(formatter->stringFromInteger(42), "42");
    formatter->setLocale(Locale::localeWithLocaleIdentifier("fa_IR"));
    EXPECT_EQ(formatter->stringFromInteger(42), "\u06F4\u06F2");
    formatter->setLocale(Locale::localeWithLocaleIdentifier("en_US"));
    EXPECT_EQ(formatter->stringFromInteger(1905), "1905");
}

TEST_F(FormattingTest, TheDecimalStyleGroupsAndRounds) {
    auto formatter = rt::make<NumberFormatter>();
    formatter->setLocale(Locale::localeWithLocaleIdentifier("en_US"));
    EXPECT_EQ(formatter->stringFromDouble(2.5), "2");  // no fraction digits, half to even
    formatter->setNumberStyle(NumberFormatter::kStyleDecimal);
    EXPECT_EQ(formatter->stringFromInteger(1234567), "1,234,567");
    EXPECT_EQ(formatter->stringFromDouble(1234.5678), "1,234.568");
    formatter->setLocale(Locale::localeWithLocaleIdentifier("ar_SA"));
    EXPECT_EQ(formatter->stringFromDouble(1234.5), "\u0661\u066C\u0662\u0663\u0664\u066B\u0665");
}

TEST_F(FormattingTest, TheCurrentLocaleIsThePhones) {
    EXPECT_EQ(Locale::currentLocale()->localeIdentifier(), "en_US");
    device::DeviceConfiguration configuration;
    configuration.localeIdentifier = "ar_SA";
    boot(configuration);
    EXPECT_EQ(Locale::currentLocale()->localeIdentifier(), "ar_SA");
    EXPECT_EQ(Locale::currentLocale()->languageCode(), "ar");
    EXPECT_EQ(Locale::currentLocale()->countryCode(), "SA");
    EXPECT_EQ(rt::make<NumberFormatter>()->stringFromInteger(5), "\u0665");
}

TEST(StringComparisonTest, NumericComparisonOrdersVersions) {
    using Result = StringComparison::Result;
    const auto numeric = StringComparison::kNumeric;
    EXPECT_EQ(StringComparison::compare("12.0", "11.4.1", numeric), Result::Descending);
    EXPECT_EQ(StringComparison::compare("11.4.1", "11.4.1", numeric), Result::Same);
    EXPECT_EQ(StringComparison::compare("11.4", "11.4.1", numeric), Result::Ascending);
    EXPECT_EQ(StringComparison::compare("11.4.10", "11.4.9", numeric), Result::Descending);
    EXPECT_EQ(StringComparison::compare("11.4.10", "11.4.9"),
              Result::Ascending);  // literal: '1' < '9'
    EXPECT_EQ(StringComparison::compare("9.3", "10.0", numeric), Result::Ascending);
    EXPECT_EQ(StringComparison::compare("13.5", "11.4.1", numeric), Result::Descending);
    EXPECT_EQ(StringComparison::compare("ABC", "abc", StringComparison::kCaseInsensitive),
              Result::Same);
    EXPECT_EQ(StringComparison::compare("", "a"), Result::Ascending);
}

}  // namespace
