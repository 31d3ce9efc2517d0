#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "core/dispatch/Clock.h"
#include "core/dispatch/PerformSelector.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "rt/Runtime.h"
#include "support/DeviceWorld.h"

namespace {

class Row : public rt::Object {
  public:
    static constexpr const char* kClassName = "PerformTestRow";
    std::vector<std::pair<double, rt::Object*>> saves;
    static inline int destroyed = 0;
    ~Row() override { ++destroyed; }
};

void saveSliderValue(rt::Object* self, rt::Selector, rt::Object* argument) {
    static_cast<Row*>(self)->saves.emplace_back(core::Clock::now(), argument);
}

void saveValueAndDismiss(rt::Object* self, rt::Selector) {
    static_cast<Row*>(self)->saves.emplace_back(core::Clock::now(), nullptr);
}

class PerformSelectorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rt::Runtime::reset();
        rt::Class* cls = rt::registerClass<Row>();
        rt::addMethods(cls, {rt::bind<&saveSliderValue>("saveSliderValue:")});
        rt::addMethods(cls, {rt::bind<&saveValueAndDismiss>("saveValueAndDismiss")});
    }
    void TearDown() override { rt::Runtime::reset(); }

    testing_support::DeviceWorld _world;
};

}  // namespace

TEST_F(PerformSelectorTest, SendsOnTheMainQueueAfterTheDelay) {
    auto row = rt::make<Row>();
    auto argument = rt::make<Row>();
    core::performSelector(row.get(), rt::sel("saveSliderValue:"), argument.get(), 0.5);
    core::Clock::advance(0.4999);
    EXPECT_TRUE(row->saves.empty());
    core::Clock::advance(0.0001);
    ASSERT_EQ(row->saves.size(), 1u);
    EXPECT_DOUBLE_EQ(row->saves[0].first, 0.5);
    EXPECT_EQ(row->saves[0].second, argument.get());
}

TEST_F(PerformSelectorTest, HoldsTargetAndArgumentUntilItRuns) {
    Row::destroyed = 0;
    {
        auto row = rt::make<Row>();
        core::performSelector(row.get(), rt::sel("saveSliderValue:"), rt::make<Row>().get(), 0.5);
    }
    EXPECT_EQ(Row::destroyed, 0);
    core::Clock::advance(0.5);
    EXPECT_EQ(Row::destroyed, 2);
}

TEST_F(PerformSelectorTest, ANullTargetSchedulesNothing) {
    core::performSelector(nullptr, rt::sel("saveSliderValue:"), nullptr, 0);
    EXPECT_NO_THROW(core::Clock::advance(1));
}

TEST_F(PerformSelectorTest, SendsWithTheSelectorsOwnNumberOfArguments) {
    auto row = rt::make<Row>();
    // No argument for a selector without a colon: the object passed is dropped.
    core::performSelector(row.get(), rt::sel("saveValueAndDismiss"), nullptr, 0.5);
    core::performSelector(row.get(), rt::sel("saveValueAndDismiss"), row.get(), 0.6);
    EXPECT_NO_THROW(core::Clock::advance(0.6));
    ASSERT_EQ(row->saves.size(), 2u);
    EXPECT_DOUBLE_EQ(row->saves[0].first, 0.5);
    EXPECT_DOUBLE_EQ(row->saves[1].first, 0.6);
}

TEST_F(PerformSelectorTest, ASelectorOfTwoArgumentsIsRefusedWhenScheduled) {
    auto row = rt::make<Row>();
    EXPECT_THROW(core::performSelector(row.get(), rt::sel("save:forKey:"), nullptr, 0.5),
                 std::invalid_argument);
    EXPECT_NO_THROW(core::Clock::advance(1));
}
