#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "JsonForm.h"
#include "PlistDocument.h"
#include "PlutilCommand.h"
#include "TypedValue.h"

using core::PlistValue;

TEST(TypedValue, ReadsEachTypeAndRefusesWhatDoesNotFit) {
    EXPECT_EQ(TypedValue::parse("bool", "YES").asBool(), true);
    EXPECT_EQ(TypedValue::parse("bool", "false").asBool(), false);
    EXPECT_THROW(TypedValue::parse("bool", "maybe"), TypedValueError);

    EXPECT_EQ(TypedValue::parse("integer", "-9223372036854775808").asInteger(),
              std::numeric_limits<std::int64_t>::min());
    const PlistValue largest = TypedValue::parse("integer", "18446744073709551615");
    EXPECT_TRUE(largest.isLargeUnsignedInteger());
    EXPECT_EQ(largest.asUnsignedInteger(), std::numeric_limits<std::uint64_t>::max());
    EXPECT_THROW(TypedValue::parse("integer", "18446744073709551616"), TypedValueError);
    EXPECT_THROW(TypedValue::parse("integer", "-9223372036854775809"), TypedValueError);
    EXPECT_THROW(TypedValue::parse("integer", "1.5"), TypedValueError);
    EXPECT_THROW(TypedValue::parse("integer", ""), TypedValueError);

    EXPECT_EQ(TypedValue::parse("float", "0.25").asReal(), 0.25);
    EXPECT_THROW(TypedValue::parse("float", "0.25x"), TypedValueError);
    EXPECT_EQ(TypedValue::parse("date", "2001-01-01T00:01:00Z").asDate(), 60.0);
    EXPECT_THROW(TypedValue::parse("date", "yesterday"), TypedValueError);
    EXPECT_EQ(*TypedValue::parse("data", "AAEC").asData(), (core::PlistBytes{0, 1, 2}));
    EXPECT_THROW(TypedValue::parse("data", "A*EC"), TypedValueError);
    EXPECT_EQ(TypedValue::parse("xml", "<dict><key>a</key><true/></dict>"),
              PlistValue(core::PlistDictionary{{"a", true}}));
    EXPECT_THROW(TypedValue::parse("xml", "<dict>"), TypedValueError);
    EXPECT_EQ(TypedValue::parse("json", "[1, \"two\", 2.5, false]"),
              PlistValue(core::PlistArray{1, "two", 2.5, false}));
    EXPECT_THROW(TypedValue::parse("json", "{\"a\": null}"), TypedValueError);
}

TEST(JsonForm, CarriesEveryNumberAndRefusesWhatJsonCannotHold) {
    const PlistValue numbers = core::PlistArray{std::numeric_limits<std::uint64_t>::max(),
                                                std::numeric_limits<std::int64_t>::min(), 0.1};
    EXPECT_EQ(JsonForm::read(JsonForm::write(numbers)), numbers);
    EXPECT_THROW(JsonForm::write(PlistValue::date(0)), JsonFormError);
    EXPECT_THROW(JsonForm::write(core::PlistArray{PlistValue::data({1})}), JsonFormError);
    EXPECT_THROW(JsonForm::write(std::nan("")), JsonFormError);
    EXPECT_FALSE(JsonForm::read(std::string(600, '[') + std::string(600, ']')))
        << "nesting deeper than any property list may is refused";
    EXPECT_FALSE(JsonForm::read("{\"a\": 1"));
}

TEST(PlistDocument, EncodesRawOnlyForScalarsAndXmlOnlyWithoutLoss) {
    using Form = PlutilCommand::Form;
    EXPECT_EQ(PlistDocument::encode("text", Form::Raw), "text\n");
    EXPECT_EQ(PlistDocument::encode(std::numeric_limits<std::uint64_t>::max(), Form::Raw),
              "18446744073709551615\n");
    EXPECT_EQ(PlistDocument::encode(0.5, Form::Raw), "0.5\n");
    EXPECT_THROW(PlistDocument::encode(core::PlistArray{}, Form::Raw), EncodeError);
    EXPECT_THROW(PlistDocument::encode("bell\x07", Form::Xml), EncodeError);
    EXPECT_THROW(PlistDocument::encode(PlistValue::date(0.5), Form::Xml), EncodeError);
    EXPECT_FALSE(PlistDocument::encode(PlistValue::date(0.5), Form::Binary).empty());
    const auto json = PlistDocument::parse(" {\"a\": [1]}");
    ASSERT_TRUE(json);
    EXPECT_EQ(json->form, Form::Json);
}

TEST(PlutilCommand, RefusesAmbiguousCommandLines) {
    using Args = std::vector<std::string>;
    EXPECT_THROW(PlutilCommand::parse(Args{"-convert", "xml1", "-o", "a", "-o", "b", "f"}),
                 UsageError);
    EXPECT_THROW(PlutilCommand::parse(Args{"-convert", "raw", "f"}), UsageError);
    EXPECT_THROW(PlutilCommand::parse(Args{"-insert", "k", "-string", "v", "f", "g"}), UsageError);
    EXPECT_THROW(PlutilCommand::parse(Args{"-remove", "k"}), UsageError);
    const PlutilCommand command =
        PlutilCommand::parse(Args{"--root", "/r", "-extract", "a.b", "raw", "-o", "-", "f"});
    EXPECT_EQ(command.action, PlutilCommand::Action::Extract);
    EXPECT_EQ(command.root, "/r");
    EXPECT_EQ(command.output, "-");
    EXPECT_EQ(command.files, Args{"f"});
}
