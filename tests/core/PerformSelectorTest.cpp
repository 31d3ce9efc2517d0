#include <gtest/gtest.h>

#include <vector>

#include "core/dispatch/Clock.h"
#include "core/runtime/PerformSelector.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
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

class PerformSelectorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rt::Runtime::reset();
        rt::Class* cls = rt::registerClass<Row>();
        rt::addMethod(cls, rt::sel("saveSliderValue:"), &saveSliderValue);
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
