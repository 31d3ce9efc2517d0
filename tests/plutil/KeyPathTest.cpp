#include "KeyPath.h"

#include <gtest/gtest.h>

using core::PlistArray;
using core::PlistDictionary;
using core::PlistValue;

namespace {

PlistValue sample() {
    return PlistDictionary{{"apps", PlistArray{"a", "b", "c"}},
                           {"com.example", PlistDictionary{{"volume", 0.5}}},
                           {"count", 3}};
}

std::vector<std::string> namesOf(const PlistValue& value) {
    std::vector<std::string> names;
    for (const PlistValue& item : *value.asArray()) names.push_back(*item.asString());
    return names;
}

}  // namespace

TEST(KeyPath, FindsThroughDictionariesAndArraysAndEscapedDots) {
    const PlistValue root = sample();
    EXPECT_EQ(*KeyPath("apps.1").find(root)->asString(), "b");
    EXPECT_EQ(KeyPath("com\\.example.volume").find(root)->asReal(), 0.5);
    EXPECT_EQ(KeyPath("com.example").find(root), nullptr) << "an unescaped dot separates keys";
    EXPECT_EQ(KeyPath("apps.3").find(root), nullptr);
    EXPECT_EQ(KeyPath("apps.x").find(root), nullptr);
    EXPECT_EQ(KeyPath("apps.-1").find(root), nullptr);
    EXPECT_EQ(KeyPath("count.0").find(root), nullptr) << "a number holds nothing";
}

TEST(KeyPath, InsertsIntoArraysAtTheirPlaceAndNeverOverwrites) {
    PlistValue root = sample();
    KeyPath("apps.1").insert(root, "new");
    EXPECT_EQ(namesOf(*root.asDictionary()->find("apps")),
              (std::vector<std::string>{"a", "new", "b", "c"}));
    KeyPath("apps.4").insert(root, "end");
    EXPECT_EQ(namesOf(*root.asDictionary()->find("apps")).back(), "end");
    EXPECT_THROW(KeyPath("apps.9").insert(root, "far"), KeyPathError);
    EXPECT_THROW(KeyPath("count").insert(root, 4), KeyPathError);
    EXPECT_EQ(KeyPath("count").find(root)->asInteger(), 3);
    EXPECT_THROW(KeyPath("missing.key").insert(root, 1), KeyPathError);
    EXPECT_THROW(KeyPath("count.key").insert(root, 1), KeyPathError);
}

TEST(KeyPath, ReplacesOrAddsAndRemovesOnlyWhatIsThere) {
    PlistValue root = sample();
    const PlistValue before = root;
    KeyPath("com\\.example.volume").replace(root, 0.25);
    KeyPath("com\\.example.muted").replace(root, true);
    KeyPath("apps.3").replace(root, "d");
    KeyPath("apps.0").replace(root, "z");
    EXPECT_EQ(namesOf(*root.asDictionary()->find("apps")),
              (std::vector<std::string>{"z", "b", "c", "d"}));
    EXPECT_EQ(KeyPath("com\\.example.muted").find(root)->asBool(), true);
    EXPECT_THROW(KeyPath("apps.7").replace(root, "x"), KeyPathError);

    KeyPath("apps.1").remove(root);
    KeyPath("count").remove(root);
    EXPECT_EQ(namesOf(*root.asDictionary()->find("apps")),
              (std::vector<std::string>{"z", "c", "d"}));
    EXPECT_FALSE(root.asDictionary()->contains("count"));
    EXPECT_THROW(KeyPath("count").remove(root), KeyPathError);
    EXPECT_THROW(KeyPath("apps.3").remove(root), KeyPathError);
    EXPECT_EQ(KeyPath("com\\.example.volume").find(before)->asReal(), 0.5)
        << "a copy taken before the edits is untouched";
}
