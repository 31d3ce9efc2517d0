#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "support/TweakWorld.h"
#include "tweak/store/CustomValuesStore.h"

using namespace morvane;

namespace {

constexpr const char* kMaps = "com.example.maps";
constexpr const char* kMail = "com.example.mail";
constexpr const char* kNotes = "com.example.notes";

class StoreReadingTest : public tweak_testing::TweakTest {
  protected:
    static std::int32_t wifiOf(const core::PlistValue& entry) {
        return CustomValuesStore::toggleEntryIn(core::PlistDictionary{{"wifi", entry}}, "wifi")
            .value_or(CustomValuesStore::kNoToggleState);
    }
};

}  // namespace

TEST_F(StoreReadingTest, AStoredMinusOneIsNoValueWhileOtherLevelsBelowZeroAreClamped) {
    writeValuesFile({{"com.example.maps-volume", -1.0f},
                     {"com.example.maps-brightness", -1.0},
                     {"com.example.mail-volume", -1},
                     {"com.example.mail-brightness", -0.999f},
                     {"com.example.notes-volume", -1.5}});
    EXPECT_EQ(CustomValuesStore::getCustomVolumeForApp(kMaps), -1.0);
    EXPECT_EQ(CustomValuesStore::getCustomBrightnessForApp(kMaps), -1.0);
    EXPECT_EQ(CustomValuesStore::getCustomVolumeForApp(kMail), -1.0) << "an integer -1 alike";
    EXPECT_EQ(CustomValuesStore::getCustomBrightnessForApp(kMail), 0.0);
    EXPECT_EQ(CustomValuesStore::getCustomVolumeForApp(kNotes), 0.0);
}

TEST_F(StoreReadingTest, BooleansReadAsOneAndZeroForLevelsAndTogglesAlike) {
    writeValuesFile(
        {{"com.example.maps-volume", true},
         {"com.example.maps-brightness", false},
         {"com.example.maps-toggles", core::PlistDictionary{{"wifi", true}, {"vpn", false}}}});
    EXPECT_EQ(CustomValuesStore::getCustomVolumeForApp(kMaps), 1.0);
    EXPECT_EQ(CustomValuesStore::getCustomBrightnessForApp(kMaps), 0.0);
    EXPECT_EQ(CustomValuesStore::getCustomToggleStateForApp("wifi", kMaps), 1);
    EXPECT_EQ(CustomValuesStore::getCustomToggleStateForApp("vpn", kMaps), 0);
}

TEST_F(StoreReadingTest, AToggleEntryReadsAsAThirtyTwoBitSignedInteger) {
    EXPECT_EQ(wifiOf(1), 1);
    EXPECT_EQ(wifiOf(2), 2);
    EXPECT_EQ(wifiOf(-1), -1);
    // Reals lose their fraction.
    EXPECT_EQ(wifiOf(0.5), 0);
    EXPECT_EQ(wifiOf(-0.5), 0);
    EXPECT_EQ(wifiOf(1.9f), 1);
    EXPECT_EQ(wifiOf(1e30), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(wifiOf(-1e30), std::numeric_limits<std::int32_t>::min());
    // Integers beyond 32 bits keep their low 32 bits.
    EXPECT_EQ(wifiOf(std::int64_t{1} << 32), 0);
    EXPECT_EQ(wifiOf((std::int64_t{1} << 32) + 1), 1);
    EXPECT_EQ(wifiOf(-(std::int64_t{1} << 32)), 0);
    EXPECT_EQ(wifiOf(std::int64_t{0x7fffffff80000000}), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(wifiOf(std::uint64_t{0xffffffff00000000}), 0) << "beyond the signed 64-bit range";
    EXPECT_EQ(wifiOf(std::uint64_t{0xffffffff00000002}), 2);
    // No number, or no finite one: no entry.
    EXPECT_EQ(wifiOf(std::numeric_limits<double>::quiet_NaN()), -1);
    EXPECT_EQ(wifiOf(std::numeric_limits<double>::infinity()), -1);
    EXPECT_EQ(wifiOf("1"), -1);
}
