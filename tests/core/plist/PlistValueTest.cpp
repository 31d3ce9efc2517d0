#include "core/plist/PlistValue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/plist/PlistReader.h"

using core::PlistArray;
using core::PlistDictionary;
using core::PlistKind;
using core::PlistValue;

TEST(PlistValue, TypedAccessorsAnswerNothingForOtherKinds) {
    const PlistValue text("hello");
    EXPECT_EQ(text.kind(), PlistKind::String);
    EXPECT_EQ(*text.asString(), "hello");
    EXPECT_FALSE(text.asBool());
    EXPECT_FALSE(text.asInteger());
    EXPECT_FALSE(text.asReal());
    EXPECT_FALSE(text.asNumber());
    EXPECT_FALSE(text.asDate());
    EXPECT_EQ(text.asData(), nullptr);
    EXPECT_EQ(text.asArray(), nullptr);
    EXPECT_EQ(text.asDictionary(), nullptr);

    PlistValue number(7);
    EXPECT_EQ(number.asString(), nullptr);
    EXPECT_EQ(number.mutableDictionary(), nullptr);
    EXPECT_EQ(number.mutableArray(), nullptr);
    EXPECT_EQ(number.asNumber(), 7.0);
    EXPECT_FALSE(PlistValue(true).asInteger()) << "a boolean is not an integer";
    EXPECT_FALSE(PlistValue(1.5).asInteger());
    EXPECT_FALSE(PlistValue::date(3.0).asReal());
}

TEST(PlistValue, ConstructorsPickTheExpectedKind) {
    EXPECT_EQ(PlistValue(true).kind(), PlistKind::Boolean);
    EXPECT_EQ(PlistValue(3).kind(), PlistKind::Integer);
    EXPECT_EQ(PlistValue(3u).kind(), PlistKind::Integer);
    EXPECT_EQ(PlistValue(std::int64_t{-3}).kind(), PlistKind::Integer);
    EXPECT_EQ(PlistValue(2.5).kind(), PlistKind::Real);
    EXPECT_EQ(PlistValue(2.5f).kind(), PlistKind::Real);
    EXPECT_EQ(PlistValue("text").kind(), PlistKind::String)
        << "a string literal must not become a boolean";
    EXPECT_EQ(PlistValue(std::string("text")).kind(), PlistKind::String);
    EXPECT_EQ(PlistValue::data({1, 2}).kind(), PlistKind::Data);
    EXPECT_EQ(PlistValue::date(0).kind(), PlistKind::Date);
    EXPECT_EQ(PlistValue(PlistArray{}).kind(), PlistKind::Array);
    EXPECT_EQ(PlistValue(PlistDictionary{}).kind(), PlistKind::Dictionary);
}

TEST(PlistValue, IntegersCoverSignedAndUnsigned64Bit) {
    const PlistValue largest(std::numeric_limits<std::uint64_t>::max());
    EXPECT_TRUE(largest.isLargeUnsignedInteger());
    EXPECT_FALSE(largest.asInteger()) << "does not fit a signed 64-bit integer";
    EXPECT_EQ(largest.asUnsignedInteger(), std::numeric_limits<std::uint64_t>::max());

    const PlistValue negative(std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(negative.asInteger(), std::numeric_limits<std::int64_t>::min());
    EXPECT_FALSE(negative.asUnsignedInteger());
    EXPECT_FALSE(negative.isLargeUnsignedInteger());

    EXPECT_EQ(PlistValue(std::uint64_t{5}), PlistValue(5))
        << "small unsigned values are ordinary integers";
    EXPECT_NE(PlistValue(-1), PlistValue(std::numeric_limits<std::uint64_t>::max()));
}

TEST(PlistValue, FloatIsWidenedExactlyAndFlaggedSinglePrecision) {
    const PlistValue single(0.3f);
    EXPECT_TRUE(single.isSinglePrecision());
    EXPECT_EQ(*single.asReal(), 0.30000001192092896);
    EXPECT_FALSE(PlistValue(0.3).isSinglePrecision());
    EXPECT_EQ(single, PlistValue(0.30000001192092896))
        << "equality compares the value, not the width";
}

TEST(PlistValue, EqualityIsDeep) {
    const auto nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(PlistValue(nan), PlistValue(nan));
    EXPECT_EQ(PlistValue::date(nan), PlistValue::date(nan)) << "a binary date may hold any bits";
    EXPECT_NE(PlistValue(1), PlistValue(1.0));
    EXPECT_NE(PlistValue(true), PlistValue(1));
    const PlistDictionary left{{"a", PlistArray{1, "x", PlistDictionary{{"b", 2.5}}}}};
    PlistDictionary right{{"a", PlistArray{1, "x", PlistDictionary{{"b", 2.5}}}}};
    EXPECT_EQ(PlistValue(left), PlistValue(right));
    right.findMutable("a")->mutableArray()->atMutable(2)->mutableDictionary()->set("b", 3.5);
    EXPECT_NE(PlistValue(left), PlistValue(right));
}

TEST(PlistDictionaryCopyOnWrite, CopiesShareUntilOneIsMutated) {
    PlistDictionary original;
    for (int index = 0; index < 30000; ++index) original.set("app" + std::to_string(index), index);
    PlistDictionary copy = original;
    EXPECT_TRUE(copy.sharesStorageWith(original)) << "a copy must not duplicate the entries";

    copy.set("app0", "changed");
    copy.remove("app1");
    EXPECT_FALSE(copy.sharesStorageWith(original));
    EXPECT_EQ(original.find("app0")->asInteger(), 0);
    EXPECT_TRUE(original.contains("app1"));
    EXPECT_EQ(original.size(), 30000u);
    EXPECT_EQ(copy.size(), 29999u);
    EXPECT_EQ(*copy.find("app0")->asString(), "changed");
}

TEST(PlistDictionaryCopyOnWrite, MutatingANestedContainerOfACopyLeavesTheOriginal) {
    const PlistDictionary original{{"toggles", PlistDictionary{{"wifi", 1}}},
                                   {"list", PlistArray{1, 2}}};
    PlistDictionary copy = original;
    copy.findMutable("toggles")->mutableDictionary()->set("wifi", 0);
    copy.findMutable("list")->mutableArray()->append(3);
    EXPECT_EQ(original.find("toggles")->asDictionary()->find("wifi")->asInteger(), 1);
    EXPECT_EQ(original.find("list")->asArray()->size(), 2u);
    EXPECT_EQ(copy.find("toggles")->asDictionary()->find("wifi")->asInteger(), 0);
    EXPECT_EQ(copy.find("list")->asArray()->size(), 3u);
}

TEST(PlistDictionary, LookupsAndMissingKeys) {
    PlistDictionary dictionary{{"b", 2}, {"a", 1}};
    std::string_view key = "a";
    EXPECT_EQ(dictionary.find(key)->asInteger(), 1);
    EXPECT_EQ(dictionary.find("missing"), nullptr);
    EXPECT_EQ(dictionary.findMutable("missing"), nullptr);
    EXPECT_FALSE(dictionary.remove("missing"));
    EXPECT_EQ(dictionary.begin()->first, "a") << "keys are kept in byte order";
    PlistDictionary moved = std::move(dictionary);
    dictionary = PlistDictionary();
    EXPECT_TRUE(dictionary.empty());
    EXPECT_EQ(moved.size(), 2u);
}

TEST(PlistArray, CopyOnWriteAndBounds) {
    const PlistArray original{1, 2, 3};
    PlistArray copy = original;
    EXPECT_TRUE(copy.sharesStorageWith(original));
    EXPECT_TRUE(copy.remove(0));
    EXPECT_FALSE(copy.remove(5));
    EXPECT_EQ(original.size(), 3u);
    EXPECT_EQ(copy.at(0)->asInteger(), 2);
    EXPECT_EQ(copy.at(2), nullptr);
    EXPECT_EQ(copy.atMutable(7), nullptr);
}

// Keys added, replaced and removed in any order behave as in an ordered map: the same entries,
// in byte order, whichever of the dictionary's two arrays holds them.
TEST(PlistDictionary, AnyOrderOfChangesMatchesAnOrderedMap) {
    PlistDictionary dictionary;
    std::map<std::string, int> model;
    std::mt19937 random(20);
    for (int step = 0; step < 20000; ++step) {
        const std::string key = "k" + std::to_string(random() % 3000);
        const int value = step;
        if (random() % 4 == 0) {
            EXPECT_EQ(dictionary.remove(key), model.erase(key) == 1) << key;
        } else {
            dictionary.set(key, value);
            model[key] = value;
        }
        if (step % 997 == 0) {
            const PlistDictionary snapshot = dictionary;  // a copy taken midway stays as it was
            dictionary.set("k-midway", -1);
            EXPECT_FALSE(snapshot.contains("k-midway"));
            dictionary.remove("k-midway");
        }
    }
    ASSERT_EQ(dictionary.size(), model.size());
    auto expected = model.begin();
    for (const auto& [key, value] : dictionary) {
        ASSERT_EQ(key, expected->first);
        EXPECT_EQ(value.asInteger(), expected->second) << key;
        ++expected;
    }
    for (const auto& [key, value] : model) EXPECT_EQ(dictionary.find(key)->asInteger(), value);
    EXPECT_EQ(dictionary, PlistDictionary(std::vector<PlistDictionary::Entry>(dictionary.begin(),
                                                                             dictionary.end())));
}

TEST(PlistDictionary, OfRepeatedKeysAListKeepsTheFirstAndAFileTheLast) {
    const PlistDictionary listed{{"b", 1}, {"a", 2}, {"b", 3}};
    EXPECT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed.find("b")->asInteger(), 1);
    const auto read = core::parsePropertyList(
        "<plist><dict><key>b</key><integer>1</integer><key>a</key><integer>2</integer>"
        "<key>b</key><integer>3</integer></dict></plist>");
    ASSERT_TRUE(read && read->asDictionary());
    EXPECT_EQ(read->asDictionary()->size(), 2u);
    EXPECT_EQ(read->asDictionary()->find("b")->asInteger(), 3);
    EXPECT_EQ(read->asDictionary()->begin()->first, "a");
}
