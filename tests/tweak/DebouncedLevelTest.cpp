#include <gtest/gtest.h>

#include "tweak/controls/DebouncedLevel.h"

using namespace morvane;

namespace {

const LevelRequester kMapsEntry{"com.example.maps", LevelPurpose::Entry};
const LevelRequester kMapsRestore{"com.example.maps", LevelPurpose::Restore};
const LevelRequester kMailEntry{"com.example.mail", LevelPurpose::Entry};
using Admission = DebouncedLevel::Admission;

}  // namespace

TEST(DebouncedLevel, TheSameAppsLaterRequestReplacesThePendingLevel) {
    DebouncedLevel requests;
    EXPECT_EQ(requests.request(0.2, kMapsEntry), Admission::Accepted);
    EXPECT_EQ(requests.request(0.5, kMapsRestore), Admission::Replaced);
    EXPECT_EQ(requests.request(0.2, kMapsEntry), Admission::Replaced);
    EXPECT_EQ(requests.request(0.5, kMapsRestore), Admission::Replaced);
    const auto taken = requests.takePending();
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->level, 0.5);
    EXPECT_FALSE(requests.isPending());
    EXPECT_FALSE(requests.takePending()) << "taken once";
}

TEST(DebouncedLevel, BetweenDifferentAppsTheFirstRequestWins) {
    DebouncedLevel requests;
    EXPECT_EQ(requests.request(0.5, kMapsRestore), Admission::Accepted);
    EXPECT_EQ(requests.request(0.9, kMailEntry), Admission::Dropped);
    EXPECT_EQ(requests.request(0.9, std::nullopt), Admission::Dropped);
    EXPECT_EQ(requests.takePending()->level, 0.5);

    // Requests made for no app never match one, not even each other.
    EXPECT_EQ(requests.request(0.1, std::nullopt), Admission::Accepted);
    EXPECT_EQ(requests.request(0.3, std::nullopt), Admission::Dropped);
    EXPECT_EQ(requests.request(0.3, kMapsEntry), Admission::Dropped);
    EXPECT_EQ(requests.takePending()->level, 0.1);
}

TEST(DebouncedLevel, ARestoreIsUnderWayFromItsRequestUntilItIsSettled) {
    DebouncedLevel requests;
    requests.request(0.5, kMapsRestore);
    EXPECT_EQ(requests.restoreUnderWayFor("com.example.maps"), 0.5);
    EXPECT_FALSE(requests.restoreUnderWayFor("com.example.mail"));
    const auto taken = requests.takePending();
    EXPECT_EQ(requests.restoreUnderWayFor("com.example.maps"), 0.5) << "being set or glided to";
    requests.settle(taken->ticket);
    EXPECT_FALSE(requests.restoreUnderWayFor("com.example.maps"));

    // An entry's request is no restore; a replacing restore is.
    requests.request(0.2, kMapsEntry);
    EXPECT_FALSE(requests.restoreUnderWayFor("com.example.maps"));
    requests.request(0.5, kMapsRestore);
    EXPECT_EQ(requests.restoreUnderWayFor("com.example.maps"), 0.5);
}

TEST(DebouncedLevel, SettlingAnOlderRequestLeavesTheLatestUnderWay) {
    DebouncedLevel requests;
    requests.request(0.9, kMailEntry);
    const auto older = requests.takePending();
    requests.request(0.5, kMapsRestore);
    requests.settle(older->ticket);  // the older glide stops when the newer one takes over
    EXPECT_EQ(requests.restoreUnderWayFor("com.example.maps"), 0.5);
    const auto newer = requests.takePending();
    requests.settle(older->ticket);
    EXPECT_EQ(requests.restoreUnderWayFor("com.example.maps"), 0.5);
    requests.settle(newer->ticket);
    EXPECT_FALSE(requests.restoreUnderWayFor("com.example.maps"));
}
