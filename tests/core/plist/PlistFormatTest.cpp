#include "PlistTestSupport.h"

#include "core/plist/PlistDateFormat.h"
#include "core/plist/PlistLimits.h"
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using core::PlistArray;
using core::PlistDictionary;
using core::PlistFormat;
using core::PlistValue;

namespace {

PlistValue everyKind() {
    return PlistDictionary{
        {"flag", true},
        {"off", false},
        {"count", 42},
        {"negative", -7},
        {"minimum", std::numeric_limits<std::int64_t>::min()},
        {"unsignedMaximum", std::numeric_limits<std::uint64_t>::max()},
        {"wide", std::int64_t{1} << 40},
        {"ratio", 0.75},
        {"tiny", 5e-324},
        {"huge", 1.7976931348623157e308},
        {"volume", 0.3f},
        {"name", "café ☕ مرحبا & <tags> \"quoted\"\ttab\nline\rreturn 😀"},
        {"empty", ""},
        {"bytes", PlistValue::data({0, 1, 2, 0xFE, 0xFF})},
        {"noBytes", PlistValue::data({})},
        {"when", PlistValue::date(730000000.0)},
        {"before2001", PlistValue::date(-86401.0)},
        {"list", PlistArray{1, "two", 3.5, PlistArray{}, PlistDictionary{}}},
        {"nested", PlistDictionary{{"toggles", PlistDictionary{{"wifi", 1}, {"bluetooth", 0}}}}},
        {"longKey" + std::string(40, 'k'), std::string(300, 'v')},
    };
}

// An array holding value (built explicitly: PlistArray{array} would copy, not nest).
PlistValue arrayHolding(const PlistValue& value) {
    PlistArray array;
    array.append(value);
    return array;
}

std::string serialized(const PlistValue& value, PlistFormat format) {
    return format == PlistFormat::Xml ? core::toXmlPropertyList(value)
                                      : core::toBinaryPropertyList(value);
}

class PlistRoundTrip : public testing::TestWithParam<PlistFormat> {};

}  // namespace

TEST_P(PlistRoundTrip, EveryKindReadsBackEqual) {
    const PlistValue value = everyKind();
    const auto readBack = core::parsePropertyList(serialized(value, GetParam()));
    ASSERT_TRUE(readBack);
    EXPECT_EQ(plisttest::canonicalDump(*readBack), plisttest::canonicalDump(value));
    EXPECT_EQ(*readBack, value);
}

TEST_P(PlistRoundTrip, ScalarsAtTopLevel) {
    for (const PlistValue& value : {PlistValue(true), PlistValue(-3), PlistValue("top"),
                                    PlistValue(2.5f), PlistValue::date(1.0)}) {
        const auto readBack = core::parsePropertyList(serialized(value, GetParam()));
        ASSERT_TRUE(readBack);
        EXPECT_EQ(*readBack, value);
    }
}

TEST_P(PlistRoundTrip, NonFiniteReals) {
    const PlistValue value = PlistArray{std::numeric_limits<double>::quiet_NaN(),
                                        std::numeric_limits<double>::infinity(),
                                        -std::numeric_limits<double>::infinity(), -0.0};
    const auto readBack = core::parsePropertyList(serialized(value, GetParam()));
    ASSERT_TRUE(readBack);
    EXPECT_EQ(*readBack, value);
    EXPECT_TRUE(std::signbit(*readBack->asArray()->at(3)->asReal()));
}

TEST_P(PlistRoundTrip, SinglePrecisionReadsBackAsTheWidenedFloat) {
    const auto readBack =
        core::parsePropertyList(serialized(PlistDictionary{{"volume", 0.3f}}, GetParam()));
    ASSERT_TRUE(readBack);
    const PlistValue* volume = readBack->asDictionary()->find("volume");
    EXPECT_EQ(*volume->asReal(), 0.30000001192092896);
    EXPECT_EQ(volume->isSinglePrecision(), GetParam() == PlistFormat::Binary)
        << "only the binary form records the width";
}

TEST_P(PlistRoundTrip, LargeDictionary) {
    PlistDictionary values;
    for (int app = 0; app < 2000; ++app) {
        const std::string id = "com.example.app" + std::to_string(app);
        values.set(id + "-volume", static_cast<float>(app) / 2000.0f);
        values.set(id + "-toggles", PlistDictionary{{"wifi", app % 2}, {"dnd", 1}});
    }
    const auto readBack = core::parsePropertyList(serialized(values, GetParam()));
    ASSERT_TRUE(readBack);
    EXPECT_EQ(*readBack, PlistValue(values));
}

TEST_P(PlistRoundTrip, WriterRefusesValuesNestedTooDeeply) {
    PlistValue deepest = PlistArray{};
    for (std::size_t level = 1; level < core::kMaxPlistNestingDepth; ++level)
        deepest = arrayHolding(deepest);
    ASSERT_FALSE(serialized(deepest, GetParam()).empty())
        << "the deepest allowed nesting is written";
    EXPECT_TRUE(core::parsePropertyList(serialized(deepest, GetParam()))) << "and read back";
    EXPECT_TRUE(serialized(arrayHolding(deepest), GetParam()).empty())
        << "one level more, even empty, is refused";
}

INSTANTIATE_TEST_SUITE_P(BothFormats, PlistRoundTrip,
                         testing::Values(PlistFormat::Xml, PlistFormat::Binary),
                         [](const auto& info) {
                             return info.param == PlistFormat::Xml ? "Xml" : "Binary";
                         });

TEST(PlistXmlWriter, SmallDictionaryMatchesThePhonesTextExactly) {
    const PlistValue value = PlistDictionary{
        {"enabled", true},
        {"volume", 0.3f},
        {"level", 0.5},
        {"count", -3},
        {"name", "Tom & <Jerry>"},
        {"toggles", PlistDictionary{{"wifi", 1}}},
        {"none", PlistDictionary{}},
        {"list", PlistArray{}},
        {"items", PlistArray{false, "a"}},
        {"blob", PlistValue::data({'h', 'i', '!', '?'})},
        {"when", PlistValue::date(0)},
    };
    EXPECT_EQ(core::toXmlPropertyList(value),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
              "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
              "<plist version=\"1.0\">\n"
              "<dict>\n"
              "\t<key>blob</key>\n"
              "\t<data>\n"
              "\taGkhPw==\n"
              "\t</data>\n"
              "\t<key>count</key>\n"
              "\t<integer>-3</integer>\n"
              "\t<key>enabled</key>\n"
              "\t<true/>\n"
              "\t<key>items</key>\n"
              "\t<array>\n"
              "\t\t<false/>\n"
              "\t\t<string>a</string>\n"
              "\t</array>\n"
              "\t<key>level</key>\n"
              "\t<real>0.5</real>\n"
              "\t<key>list</key>\n"
              "\t<array/>\n"
              "\t<key>name</key>\n"
              "\t<string>Tom &amp; &lt;Jerry&gt;</string>\n"
              "\t<key>none</key>\n"
              "\t<dict/>\n"
              "\t<key>toggles</key>\n"
              "\t<dict>\n"
              "\t\t<key>wifi</key>\n"
              "\t\t<integer>1</integer>\n"
              "\t</dict>\n"
              "\t<key>volume</key>\n"
              "\t<real>0.30000001192092896</real>\n"
              "\t<key>when</key>\n"
              "\t<date>2001-01-01T00:00:00Z</date>\n"
              "</dict>\n"
              "</plist>\n");
}

TEST(PlistXmlWriter, NonFiniteRealsAreSpelledAsThePhoneDoes) {
    const std::string xml = core::toXmlPropertyList(PlistArray{
        std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity()});
    EXPECT_NE(xml.find("<real>nan</real>"), std::string::npos);
    EXPECT_NE(xml.find("<real>+infinity</real>"), std::string::npos);
    EXPECT_NE(xml.find("<real>-infinity</real>"), std::string::npos);
}

TEST(PlistXmlWriter, ControlCharactersXmlCannotCarryAreRefused) {
    const PlistValue value = PlistDictionary{{"bell", "ring\x07"}};
    EXPECT_TRUE(core::toXmlPropertyList(value).empty());
    EXPECT_TRUE(core::parsePropertyList(core::toBinaryPropertyList(value)))
        << "the binary form carries any text";
    plisttest::TempDirectory directory;
    EXPECT_FALSE(core::writePropertyListFile(directory / "bell.plist", value, PlistFormat::Xml));
    EXPECT_TRUE(directory.entryNames().empty());
}

TEST(PlistXmlReader, AcceptsWhatOtherWritersProduce) {
    const auto value = core::parsePropertyList(
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- written by hand -->\n"
        "<!DOCTYPE plist SYSTEM \"x.dtd\" [ <!ELEMENT plist ANY> ]>\n"
        "<plist version=\"1.0\"><dict>\r\n"
        "<key>a&#x20;b</key><string><![CDATA[<raw> & text]]> &#233;&quot;</string>\n"
        "<key>hex</key><integer> 0x1F </integer>\n"
        "<key>emptyString</key><string/>\n"
        "<key>yes</key><true></true>\n"
        "<key>bytes</key><data>\n  AAEC\n  Aw==\n</data>\n"
        "<key>when</key><date>2024-02-29T12:34:56.5Z</date>\n"
        "<key>inf</key><real>-inf</real>\n"
        "</dict></plist>\n");
    ASSERT_TRUE(value);
    const PlistDictionary& dictionary = *value->asDictionary();
    EXPECT_EQ(*dictionary.find("a b")->asString(), "<raw> & text é\"");
    EXPECT_EQ(dictionary.find("hex")->asInteger(), 31);
    EXPECT_EQ(*dictionary.find("emptyString")->asString(), "");
    EXPECT_EQ(dictionary.find("yes")->asBool(), true);
    EXPECT_EQ(*dictionary.find("bytes")->asData(), (core::PlistBytes{0, 1, 2, 3}));
    EXPECT_EQ(dictionary.find("when")->asDate(), 730902896.5);
    EXPECT_EQ(dictionary.find("inf")->asReal(), -std::numeric_limits<double>::infinity());
}

TEST(PlistXmlReader, RefusesADoctypeThatDeclaresEntities) {
    const std::string body = "<plist><dict><key>A</key><string>&entity;</string></dict></plist>";
    EXPECT_FALSE(core::parsePropertyList(
        "<!DOCTYPE plist [ <!ENTITY entity \"replacement text\"> ]>\n" + body));
    EXPECT_FALSE(core::parsePropertyList(
        "<!DOCTYPE plist [ <!ENTITY % p \"x\"> ]>\n<plist><true/></plist>"))
        << "parameter entities are entities too";
    EXPECT_TRUE(core::parsePropertyList(
        "<!DOCTYPE plist [ <!-- no ENTITY here --> ]>\n<plist><true/></plist>"));
}

TEST(PlistXmlReader, NormalisesLineEndsButKeepsAnEscapedCarriageReturn) {
    const auto value = core::parsePropertyList(
        "<plist><array><string>a\r\nb\rc</string><string>d&#13;e</string></array></plist>");
    ASSERT_TRUE(value);
    EXPECT_EQ(*value->asArray()->at(0)->asString(), "a\nb\nc");
    EXPECT_EQ(*value->asArray()->at(1)->asString(), "d\re");
}

TEST(PlistBinaryWriter, UsesTheSmallestIntegerWidths) {
    const auto markerOf = [](const PlistValue& value) {
        return static_cast<unsigned char>(core::toBinaryPropertyList(value)[8]);
    };
    EXPECT_EQ(markerOf(255), 0x10);
    EXPECT_EQ(markerOf(256), 0x11);
    EXPECT_EQ(markerOf(65536), 0x12);
    EXPECT_EQ(markerOf(std::int64_t{1} << 32), 0x13);
    EXPECT_EQ(markerOf(-1), 0x13);
    EXPECT_EQ(markerOf(std::numeric_limits<std::uint64_t>::max()), 0x14);
    EXPECT_EQ(markerOf(0.3f), 0x22);
    EXPECT_EQ(markerOf(0.3), 0x23);
    EXPECT_EQ(markerOf(PlistValue::date(0)), 0x33);
    EXPECT_EQ(markerOf("plain"), 0x55);
    EXPECT_EQ(markerOf("café"), 0x64) << "non-ASCII text is UTF-16, counted in 16-bit units";
    EXPECT_EQ(markerOf(std::string(15, 'x')), 0x5F)
        << "15 and more characters take a separate count";
}

TEST(PlistBinaryWriter, WritesSinglePrecisionAsFourByteFloat) {
    const std::string file = core::toBinaryPropertyList(0.3f);
    EXPECT_EQ(file.substr(8, 5), plisttest::bytesOf({0x22, 0x3E, 0x99, 0x99, 0x9A}));
}

TEST(PlistBinaryWriter, WritesEqualStringsOnce) {
    PlistDictionary values;
    for (int app = 0; app < 100; ++app)
        values.set("app" + std::to_string(app), PlistDictionary{{"wifi", "wifi"}});
    const std::string file = core::toBinaryPropertyList(values);
    const auto trailer = file.substr(file.size() - 32);
    std::uint64_t objectCount = 0;
    for (int index = 8; index < 16; ++index)
        objectCount = (objectCount << 8) | static_cast<unsigned char>(trailer[index]);
    EXPECT_EQ(objectCount, 1 + 100 + 100 + 1)
        << "top, 100 keys, 100 dictionaries, one shared \"wifi\"";
}

TEST(PlistDateFormat, FormatsAndParsesTheReferenceDates) {
    EXPECT_EQ(core::PlistDateFormat::format(0), "2001-01-01T00:00:00Z");
    EXPECT_EQ(core::PlistDateFormat::format(-1), "2000-12-31T23:59:59Z");
    EXPECT_EQ(core::PlistDateFormat::format(0.999), "2001-01-01T00:00:00Z");
    EXPECT_EQ(core::PlistDateFormat::format(std::nan("")), "2001-01-01T00:00:00Z");
    EXPECT_EQ(core::PlistDateFormat::format(1e300), "9999-12-31T23:59:59Z");
    EXPECT_EQ(core::PlistDateFormat::parse("2024-02-29T12:34:56Z"), 730902896.0);
    EXPECT_EQ(core::PlistDateFormat::parse("1970-01-01T00:00:00Z"), -978307200.0);
    EXPECT_FALSE(core::PlistDateFormat::parse("2023-02-29T12:34:56Z"));
    EXPECT_FALSE(core::PlistDateFormat::parse("2024-02-29 12:34:56Z"));
    EXPECT_FALSE(core::PlistDateFormat::parse("2024-02-29T12:34:56"));
}
