// The readers return nothing a writer or printer cannot expand, and whatever they return
// is written back without loss.
#include "PlistTestSupport.h"

#include "core/files/AtomicFile.h"
#include "core/plist/BinaryPlistWriter.h"
#include "core/plist/PlistLimits.h"
#include "core/plist/PlistReader.h"
#include "core/plist/PlistSizeBudget.h"
#include "core/plist/PlistWriter.h"
#include "core/plist/XmlPlistReader.h"
#include "core/plist/XmlPlistWriter.h"

#include <gtest/gtest.h>

#include <limits>

using core::PlistArray;
using core::PlistBytes;
using core::PlistDictionary;
using core::PlistFormat;
using core::PlistValue;
using plisttest::binaryPlistOf;
using plisttest::bytesOf;

namespace {

// Object i is an array holding object i + 1 twice; the last is `true`.
std::string doublingBomb(int levels) {
    std::vector<std::string> objects;
    for (int level = 0; level < levels; ++level)
        objects.push_back(bytesOf({0xA2, level + 1, level + 1}));
    objects.push_back(bytesOf({0x09}));
    return binaryPlistOf(objects);
}

// An array marker for `count` items with 2-byte references.
std::string arrayHeader(std::size_t count) {
    return bytesOf({0xAF, 0x12, static_cast<int>(count >> 24), static_cast<int>(count >> 16 & 0xFF),
                    static_cast<int>(count >> 8 & 0xFF), static_cast<int>(count & 0xFF)});
}

std::string references(std::size_t count, int object) {
    std::string out;
    for (std::size_t index = 0; index < count; ++index) out += bytesOf({0x00, object});
    return out;
}

// A top array holding one shared array of `innerItems` trues `sharedCount` times, then
// `extraTrues` trues: 1 + sharedCount * (1 + innerItems) + extraTrues elements in all.
std::string sharedArrays(std::size_t sharedCount, std::size_t innerItems, std::size_t extraTrues) {
    const std::string top = arrayHeader(sharedCount + extraTrues) + references(sharedCount, 1) +
                            references(extraTrues, 2);
    const std::string inner = arrayHeader(innerItems) + references(innerItems, 2);
    return binaryPlistOf({top, inner, bytesOf({0x09})}, 2);
}

// Object i (i < levels) is an array holding object i + 1; the last is an empty array.
void appendChain(std::vector<std::string>& objects, int levels) {
    const int first = static_cast<int>(objects.size());
    for (int level = 0; level < levels; ++level) {
        const int next = first + level + 1;
        objects.push_back(bytesOf({0xA1, next >> 8, next & 0xFF}));
    }
    objects.push_back(bytesOf({0xA0}));
}

// Reads back what encodePropertyList wrote and expects the value unchanged.
void expectWrittenWithoutLoss(const PlistValue& value, PlistFormat expectedFormat) {
    const core::EncodedPropertyList encoded = core::encodePropertyList(value, PlistFormat::Xml);
    ASSERT_FALSE(encoded.bytes.empty());
    EXPECT_EQ(encoded.format, expectedFormat);
    const auto reread = core::parsePropertyList(encoded.bytes);
    ASSERT_TRUE(reread);
    EXPECT_TRUE(*reread == value);
}

}  // namespace

TEST(PlistLogicalSize, ExpansionBombReadsAsNone) {
    const std::string bomb = doublingBomb(40);  // 2^40 leaves when expanded
    EXPECT_LT(bomb.size(), 400u);
    EXPECT_FALSE(core::parsePropertyList(bomb));
    EXPECT_FALSE(core::parsePropertyList(doublingBomb(60)));
}

TEST(PlistLogicalSize, SharingWithinTheBoundReadsAndWrites) {
    const auto value = core::parsePropertyList(doublingBomb(10));
    ASSERT_TRUE(value);
    const PlistArray& top = *value->asArray();
    EXPECT_TRUE(top.at(0)->asArray()->sharesStorageWith(*top.at(1)->asArray()));
    const auto reread = core::parsePropertyList(core::toBinaryPropertyList(*value));
    ASSERT_TRUE(reread);
    EXPECT_TRUE(*reread == *value);
}

TEST(PlistLogicalSize, BoundSitsExactlyOnTheElementLimit) {
    // 1 + 4095 * 1024 + 1023 = 4 Mi elements.
    constexpr std::size_t kShared = 4095, kInner = 1023, kExtra = 1023;
    static_assert(1 + kShared * (1 + kInner) + kExtra == core::kMaxPlistElements);
    EXPECT_TRUE(core::parsePropertyList(sharedArrays(kShared, kInner, kExtra)));
    EXPECT_FALSE(core::parsePropertyList(sharedArrays(kShared, kInner, kExtra + 1)));
}

TEST(PlistLogicalSize, XmlElementsKeysAndPayloadCountToo) {
    // A dictionary, two keys (5 bytes), a string (3 bytes) and an array of two: 6 elements.
    const std::string xml =
        "<plist><dict><key>ab</key><string>xyz</string>"
        "<key>cde</key><array><true/></array></dict></plist>";
    EXPECT_TRUE(core::XmlPlistReader(xml, core::PlistSizeBudget(6, 8)).read());
    EXPECT_FALSE(core::XmlPlistReader(xml, core::PlistSizeBudget(5, 8)).read());
    EXPECT_FALSE(core::XmlPlistReader(xml, core::PlistSizeBudget(6, 7)).read());
    std::string data = "<plist><data>AAECAw==</data></plist>";  // 4 bytes
    EXPECT_TRUE(core::XmlPlistReader(data, core::PlistSizeBudget(1, 4)).read());
    EXPECT_FALSE(core::XmlPlistReader(data, core::PlistSizeBudget(1, 3)).read());
}

TEST(PlistLogicalSize, SharedContainerCountsItsLevelsWhereverItIsReferenced) {
    // The top array holds a chain of 301 levels (read first, at level 2), then a chain of
    // 300 levels ending in the first one: 602 levels deep when written out.
    const int secondChain = 302;
    std::vector<std::string> objects{
        bytesOf({0xA2, 0x00, 0x01, secondChain >> 8, secondChain & 0xFF})};
    appendChain(objects, 300);                     // objects 1..301
    appendChain(objects, 299);                     // objects 302..601
    objects.back() = bytesOf({0xA1, 0x00, 0x01});  // the second chain ends in the first
    EXPECT_FALSE(core::parsePropertyList(binaryPlistOf(objects, 2))) << "602 levels once expanded";

    // Within the limit the same sharing reads, and writes.
    std::vector<std::string> shallow{bytesOf({0xA2, 0x00, 0x01, 0x00, 0x01})};
    appendChain(shallow, 200);
    const auto withinLimit = core::parsePropertyList(binaryPlistOf(shallow, 2));
    ASSERT_TRUE(withinLimit);
    EXPECT_FALSE(core::toBinaryPropertyList(*withinLimit).empty());
}

TEST(PlistWriters, RefuseFilesLargerThanTheirBound) {
    static_assert(core::kMaxPlistWrittenSize <= core::kMaxReadableFileSize,
                  "whatever is written must read back");
    PlistArray array;
    for (int copy = 0; copy < 64; ++copy) array.append(PlistValue(std::string(1000, 'x')));
    array.append(PlistDictionary{{"k", PlistValue::data(PlistBytes(300, 7))}});
    const PlistValue value(std::move(array));
    const std::string xml = core::XmlPlistWriter::write(value);
    ASSERT_FALSE(xml.empty());
    EXPECT_EQ(core::XmlPlistWriter::write(value, xml.size()), xml);
    EXPECT_TRUE(core::XmlPlistWriter::write(value, xml.size() - 1).empty());
    EXPECT_TRUE(core::XmlPlistWriter::writeExactly(value, xml.size() - 1).empty());

    const std::string binary = core::BinaryPlistWriter::write(value);
    ASSERT_FALSE(binary.empty());
    EXPECT_EQ(core::BinaryPlistWriter::write(value, binary.size()), binary);
    EXPECT_TRUE(core::BinaryPlistWriter::write(value, binary.size() - 1).empty());
}

TEST(PlistWriters, ControlCharactersReadFromXmlAreWrittenBackAsBinary) {
    const std::string cases[] = {
        "<plist><string>a&#1;b</string></plist>",
        std::string("<plist><string>a\0b</string></plist>", 35),
        "<plist><string>bell\x07</string></plist>",
        "<plist><dict><key>k&#x1F;</key><true/></dict></plist>",
    };
    for (const std::string& xml : cases) {
        SCOPED_TRACE(xml);
        const auto value = core::parsePropertyList(xml);
        ASSERT_TRUE(value);
        EXPECT_TRUE(core::toXmlPropertyList(*value).empty()) << "XML cannot carry it";
        expectWrittenWithoutLoss(*value, PlistFormat::Binary);
    }
}

TEST(PlistWriters, BinaryStringsWithControlCharactersAreWrittenBackAsBinary) {
    const auto value = core::parsePropertyList(binaryPlistOf({bytesOf({0x53, 'a', 0x01, 'b'})}));
    ASSERT_TRUE(value);
    ASSERT_EQ(*value->asString(), std::string("a\x01"
                                              "b"));
    expectWrittenWithoutLoss(*value, PlistFormat::Binary);
}

TEST(PlistWriters, DatesXmlCannotCarryAreWrittenAsBinary) {
    expectWrittenWithoutLoss(PlistValue::date(12.5), PlistFormat::Binary);
    expectWrittenWithoutLoss(PlistValue::date(1e300), PlistFormat::Binary);
    expectWrittenWithoutLoss(PlistValue::date(std::numeric_limits<double>::quiet_NaN()),
                             PlistFormat::Binary);
    expectWrittenWithoutLoss(PlistValue::date(86400), PlistFormat::Xml);
}

TEST(PlistWriters, OrdinaryValuesStayXmlByteForByte) {
    const PlistValue value = PlistDictionary{{"volume", 0.3f},
                                             {"name", "caf\xC3\xA9\ttab\r\n"},
                                             {"toggles", PlistDictionary{{"wifi", true}}},
                                             {"blob", PlistValue::data({0, 1, 2})}};
    const core::EncodedPropertyList encoded = core::encodePropertyList(value, PlistFormat::Xml);
    EXPECT_EQ(encoded.format, PlistFormat::Xml);
    EXPECT_EQ(encoded.bytes, core::toXmlPropertyList(value));
    expectWrittenWithoutLoss(value, PlistFormat::Xml);
    EXPECT_EQ(core::encodePropertyList(value, PlistFormat::Binary).format, PlistFormat::Binary);
}

TEST(PlistWriters, PreferencesWriteKeepsControlCharactersOnDisk) {
    plisttest::TempDirectory directory;
    const auto path = directory / "values.plist";
    const PlistValue value = PlistDictionary{{"label", "a\x01z"}, {"level", 0.5}};
    ASSERT_TRUE(core::writePropertyListFilePreferringXml(path, value));
    EXPECT_TRUE(plisttest::readBytes(path).starts_with("bplist00"));
    const auto reread = core::readPropertyListFile(path);
    ASSERT_TRUE(reread);
    EXPECT_TRUE(*reread == value);

    const PlistValue plain = PlistDictionary{{"level", 0.5}};
    ASSERT_TRUE(core::writePropertyListFilePreferringXml(path, plain));
    EXPECT_TRUE(plisttest::readBytes(path).starts_with("<?xml"));
    EXPECT_FALSE(
        core::writePropertyListFilePreferringXml(directory / "missing" / "x.plist", plain));
}
