#include "PlistTestSupport.h"

#include "core/plist/PlistLimits.h"
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <random>

using core::PlistArray;
using core::PlistDictionary;
using core::PlistValue;
using plisttest::binaryPlistOf;
using plisttest::bytesOf;

namespace {

const PlistValue kSample = PlistDictionary{{"volume", 0.3f},
                                           {"name", "café"},
                                           {"count", 300},
                                           {"toggles", PlistDictionary{{"wifi", true}}},
                                           {"list", PlistArray{1, "x"}}};

std::string nestedXmlArrays(std::size_t depth) {
    std::string xml = "<plist version=\"1.0\">";
    for (std::size_t level = 0; level < depth; ++level) xml += "<array>";
    for (std::size_t level = 0; level < depth; ++level) xml += "</array>";
    return xml + "</plist>";
}

// Object i is an array holding object i + 1; the last is an empty array.
std::string nestedBinaryArrays(std::size_t depth) {
    std::vector<std::string> objects;
    for (std::size_t index = 0; index + 1 < depth; ++index) {
        const auto next = static_cast<std::uint32_t>(index + 1);
        objects.push_back(
            bytesOf({0xA1, static_cast<int>(next >> 24), static_cast<int>((next >> 16) & 0xFF),
                     static_cast<int>((next >> 8) & 0xFF), static_cast<int>(next & 0xFF)}));
    }
    objects.push_back(bytesOf({0xA0}));
    return binaryPlistOf(objects, 4);
}

}  // namespace

TEST(PlistFiles, MissingEmptyAndUnreadablePathsReadAsNone) {
    plisttest::TempDirectory directory;
    EXPECT_FALSE(core::dictionaryWithContentsOfFile(directory / "missing.plist"));
    plisttest::writeBytes(directory / "empty.plist", "");
    EXPECT_FALSE(core::dictionaryWithContentsOfFile(directory / "empty.plist"));
    EXPECT_FALSE(core::dictionaryWithContentsOfFile(directory.path()))
        << "a directory is not a file";
}

TEST(PlistFiles, TopLevelArrayIsNotADictionary) {
    plisttest::TempDirectory directory;
    ASSERT_TRUE(core::writePropertyListFile(directory / "list.plist", PlistArray{1, 2},
                                            core::PlistFormat::Binary));
    EXPECT_FALSE(core::dictionaryWithContentsOfFile(directory / "list.plist"));
    EXPECT_TRUE(core::readPropertyListFile(directory / "list.plist"));
}

TEST(PlistFiles, DictionaryFileReadsBackInBothFormats) {
    plisttest::TempDirectory directory;
    for (const auto format : {core::PlistFormat::Xml, core::PlistFormat::Binary}) {
        ASSERT_TRUE(core::writePropertyListFile(directory / "values.plist", kSample, format));
        const auto dictionary = core::dictionaryWithContentsOfFile(directory / "values.plist");
        ASSERT_TRUE(dictionary);
        EXPECT_EQ(PlistValue(*dictionary), kSample);
    }
}

TEST(PlistTruncation, EveryPrefixOfABinaryFileIsRefused) {
    const std::string file = core::toBinaryPropertyList(kSample);
    for (std::size_t length = 0; length < file.size(); ++length)
        EXPECT_FALSE(core::parsePropertyList(std::string_view(file).substr(0, length)))
            << "prefix of " << length << " bytes";
}

TEST(PlistTruncation, EveryPrefixOfAnXmlFileIsRefused) {
    const std::string file = core::toXmlPropertyList(kSample);
    const std::size_t complete = file.rfind("</plist>") + 8;
    for (std::size_t length = 0; length < complete; ++length)
        EXPECT_FALSE(core::parsePropertyList(std::string_view(file).substr(0, length)))
            << "prefix of " << length << " bytes";
}

TEST(PlistCorruption, DamagedBinaryBytesNeverCrash) {
    const std::string file = core::toBinaryPropertyList(kSample);
    for (std::size_t position = 0; position < file.size(); ++position) {
        for (const int replacement : {0x00, 0x0F, 0x7F, 0x80, 0xAF, 0xDF, 0xFF}) {
            std::string damaged = file;
            damaged[position] = static_cast<char>(replacement);
            core::parsePropertyList(damaged);  // must answer (anything) without crashing
        }
    }
}

TEST(PlistCorruption, RandomGarbageIsRefused) {
    std::mt19937 random(12345);
    for (int round = 0; round < 200; ++round) {
        std::string garbage(random() % 300, '\0');
        for (char& byte : garbage) byte = static_cast<char>(random());
        if (round % 2) garbage.replace(0, std::min<std::size_t>(8, garbage.size()), "bplist00");
        EXPECT_FALSE(core::parsePropertyList(garbage));
    }
    EXPECT_FALSE(core::parsePropertyList("<plist><dict><key>a</key></dict></plist>"))
        << "key without a value";
    EXPECT_FALSE(core::parsePropertyList("<plist><dict><integer>1</integer></dict></plist>"))
        << "value without a key";
    EXPECT_FALSE(core::parsePropertyList("<plist><string>a</plist></string>"));
    EXPECT_FALSE(core::parsePropertyList("<plist><string>a</string></plist> trailing"));
    EXPECT_FALSE(core::parsePropertyList("<plist><unknown/></plist>"));
    EXPECT_FALSE(core::parsePropertyList("<plist><integer>12abc</integer></plist>"));
    EXPECT_FALSE(core::parsePropertyList("<plist><real>1.5.2</real></plist>"));
    EXPECT_FALSE(core::parsePropertyList("<plist><data>!!!!</data></plist>"));
    EXPECT_FALSE(core::parsePropertyList("<plist><string>&bogus;</string></plist>"));
    EXPECT_FALSE(core::parsePropertyList("<plist></plist>"));
}

TEST(PlistNesting, DeepXmlIsRefusedAndTheLimitIsAccepted) {
    EXPECT_TRUE(core::parsePropertyList(nestedXmlArrays(core::kMaxPlistNestingDepth)));
    EXPECT_FALSE(core::parsePropertyList(nestedXmlArrays(core::kMaxPlistNestingDepth + 1)));
    EXPECT_FALSE(core::parsePropertyList(nestedXmlArrays(100000)));
    std::string emptyInnermost = nestedXmlArrays(core::kMaxPlistNestingDepth);
    emptyInnermost.insert(emptyInnermost.find("</array>"), "<array/>");
    EXPECT_FALSE(core::parsePropertyList(emptyInnermost)) << "an empty container counts as a level";
    std::string unclosed = "<plist>";
    for (int level = 0; level < 100000; ++level) unclosed += "<dict><key>k</key>";
    EXPECT_FALSE(core::parsePropertyList(unclosed));
}

TEST(PlistNesting, DeepBinaryIsRefusedAndTheLimitIsAccepted) {
    EXPECT_TRUE(core::parsePropertyList(nestedBinaryArrays(core::kMaxPlistNestingDepth)));
    EXPECT_FALSE(core::parsePropertyList(nestedBinaryArrays(core::kMaxPlistNestingDepth + 1)));
    EXPECT_FALSE(core::parsePropertyList(nestedBinaryArrays(100000)));
}

TEST(PlistBinaryReferences, CyclesAreRefused) {
    EXPECT_FALSE(core::parsePropertyList(binaryPlistOf({bytesOf({0xA1, 0x00})})))
        << "an array holding itself";
    EXPECT_FALSE(
        core::parsePropertyList(binaryPlistOf({bytesOf({0xD1, 0x01, 0x00}), bytesOf({0x51, 'a'})})))
        << "a dictionary holding itself";
    EXPECT_FALSE(core::parsePropertyList(
        binaryPlistOf({bytesOf({0xA1, 0x01}), bytesOf({0xA2, 0x02, 0x00}), bytesOf({0x08})})))
        << "a cycle through two arrays";
}

TEST(PlistBinaryReferences, OutOfRangeReferencesOffsetsAndLengthsAreRefused) {
    EXPECT_FALSE(core::parsePropertyList(binaryPlistOf({bytesOf({0xA1, 0x05})})))
        << "reference past the object table";
    EXPECT_FALSE(core::parsePropertyList(
        binaryPlistOf({bytesOf({0x5F, 0x13, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})})))
        << "a string longer than the file";
    EXPECT_FALSE(core::parsePropertyList(binaryPlistOf({bytesOf({0xAF, 0x10, 0xFF})})))
        << "an array longer than the file";
    std::string badTop = binaryPlistOf({bytesOf({0x09})});
    badTop[badTop.size() - 9] = 0x01;  // top object 1 of 1 objects
    EXPECT_FALSE(core::parsePropertyList(badTop));
    EXPECT_FALSE(core::parsePropertyList(binaryPlistOf({bytesOf({0x80, 0x01})})))
        << "UIDs have no property-list kind";
    EXPECT_FALSE(core::parsePropertyList(binaryPlistOf({bytesOf({0x00})})))
        << "null has no property-list kind";
}

TEST(PlistBinaryReferences, NonStringKeysAreRefused) {
    EXPECT_FALSE(core::parsePropertyList(
        binaryPlistOf({bytesOf({0xD1, 0x01, 0x02}), bytesOf({0x10, 0x05}), bytesOf({0x09})})));
    EXPECT_TRUE(core::parsePropertyList(
        binaryPlistOf({bytesOf({0xD1, 0x01, 0x02}), bytesOf({0x51, 'k'}), bytesOf({0x09})})));
}

TEST(PlistText, InvalidUtf8AndLoneSurrogatesBecomeReplacementCharacters) {
    const auto xml = core::parsePropertyList(
        "<plist><string>a\xFF"
        "b\xC3</string></plist>");
    ASSERT_TRUE(xml);
    EXPECT_EQ(*xml->asString(),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");

    const auto ascii = core::parsePropertyList(binaryPlistOf({bytesOf({0x52, 'a', 0xFF})}));
    ASSERT_TRUE(ascii);
    EXPECT_EQ(*ascii->asString(), "a\xEF\xBF\xBD");

    const auto utf16 = core::parsePropertyList(
        binaryPlistOf({bytesOf({0x63, 0xD8, 0x3D, 0x00, 'x', 0xD8, 0x3D})}));
    ASSERT_TRUE(utf16);
    EXPECT_EQ(*utf16->asString(), "\xEF\xBF\xBDx\xEF\xBF\xBD");

    const auto pair =
        core::parsePropertyList(binaryPlistOf({bytesOf({0x62, 0xD8, 0x3D, 0xDE, 0x00})}));
    ASSERT_TRUE(pair);
    EXPECT_EQ(*pair->asString(), "😀");
}

TEST(PlistText, TheStrictReaderRefusesWhatTheLenientOneRepairs) {
    const std::string badAscii = binaryPlistOf({bytesOf({0x52, 'a', 0xFF})});
    const std::string loneSurrogate = binaryPlistOf({bytesOf({0x62, 'x', 0x00, 0xD8, 0x3D})});
    const std::string reversedPair = binaryPlistOf({bytesOf({0x62, 0xDE, 0x00, 0xD8, 0x3D})});
    for (const std::string& file : {badAscii, loneSurrogate, reversedPair}) {
        EXPECT_TRUE(core::parsePropertyList(file));
        EXPECT_FALSE(core::parsePropertyListStrictly(file));
    }
    const auto dateOf = [](double seconds) {
        const auto bits = std::bit_cast<std::uint64_t>(seconds);
        std::string object = bytesOf({0x33});
        for (int shift = 56; shift >= 0; shift -= 8)
            object += static_cast<char>((bits >> shift) & 0xFF);
        return binaryPlistOf({object});
    };
    for (const double seconds : {std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::quiet_NaN(), 3e11, -7e10}) {
        EXPECT_TRUE(core::parsePropertyList(dateOf(seconds)));
        EXPECT_FALSE(core::parsePropertyListStrictly(dateOf(seconds))) << seconds;
    }
    EXPECT_EQ(core::parsePropertyListStrictly(dateOf(-63113904000.0))->asDate(), -63113904000.0)
        << "0001-01-01 is the earliest date the text form names";
    EXPECT_EQ(*core::parsePropertyListStrictly(
                   binaryPlistOf({bytesOf({0x62, 0xD8, 0x3D, 0xDE, 0x00})}))->asString(),
              "😀");
}

TEST(PlistIntegers, LimitsOfBothFormats) {
    EXPECT_EQ(core::parsePropertyList("<plist><integer>18446744073709551615</integer></plist>")
                  ->asUnsignedInteger(),
              std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(core::parsePropertyList("<plist><integer>-9223372036854775808</integer></plist>")
                  ->asInteger(),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_FALSE(core::parsePropertyList("<plist><integer>18446744073709551616</integer></plist>"));
    EXPECT_FALSE(core::parsePropertyList("<plist><integer>-9223372036854775809</integer></plist>"));
    EXPECT_FALSE(core::parsePropertyList("<plist><integer></integer></plist>"));

    const std::string negative128 = bytesOf({0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                             0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE});
    EXPECT_EQ(core::parsePropertyList(binaryPlistOf({negative128}))->asInteger(), -2);
    const std::string beyond64 = bytesOf({0x14, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_FALSE(core::parsePropertyList(binaryPlistOf({beyond64})))
        << "2^64 does not fit any 64-bit integer";
    EXPECT_FALSE(core::parsePropertyList(binaryPlistOf({bytesOf({0x15, 0, 0})})))
        << "no 256-bit integers";
}
