#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "RuntimeFixture.h"
#include "rt/Hook.h"
#include "rt/MethodBinding.h"

using rt::Object;
using rt::Selector;

namespace {

// A host class with methods of its own, registered from its members.
struct Meter : rt::Object {
    static constexpr const char* kClassName = "Meter";
    double level = 0;

    void setLevel(double value) { level = value; }
    std::string describe(const std::string& prefix) const {
        return prefix + std::to_string(static_cast<int>(level * 100));
    }
};

struct SubMeter : Meter {
    static constexpr const char* kClassName = "SubMeter";
};

// Replacements, each keeping the implementation it displaced.
struct Library {
    static void setLevel(Object* self, Selector cmd, double value) {
        rt::original<&setLevel>(self, cmd, value > 1.0 ? 1.0 : value);
    }
    static std::string describe(Object* self, Selector cmd, const std::string& prefix) {
        return "[" + rt::original<&describe>(self, cmd, prefix) + "]";
    }
    static std::string describeAgain(Object* self, Selector cmd, const std::string& prefix) {
        return "<" + rt::original<&describeAgain>(self, cmd, prefix) + ">";
    }
    static void setLevelFloat(Object*, Selector, float) {}
    static void neverHooked(Object* self, Selector cmd) { rt::original<&neverHooked>(self, cmd); }
};

class HookApiTest : public RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        meterClass = rt::registerClass<Meter>();
        subClass = rt::registerClass<SubMeter, Meter>();
        rt::addMethods(meterClass, {
                                       rt::bind<&Meter::setLevel>("setLevel:"),
                                       rt::bind<&Meter::describe>("describe:"),
                                   });
    }
    rt::Class* meterClass = nullptr;
    rt::Class* subClass = nullptr;
};

TEST_F(HookApiTest, TheReplacementRunsAndCallsTheHostsOwnImplementation) {
    auto meter = rt::make<Meter>();
    rt::send<void>(meter, rt::sel("setLevel:"), 0.5);  // cached before the hook
    ASSERT_TRUE(rt::hook<&Library::setLevel>(meterClass, "setLevel:"));
    rt::send<void>(meter, rt::sel("setLevel:"), 3.0);
    EXPECT_DOUBLE_EQ(meter->level, 1.0);
    rt::send<void>(meter, rt::sel("setLevel:"), 0.25);
    EXPECT_DOUBLE_EQ(meter->level, 0.25);
}

TEST_F(HookApiTest, HookingTwiceChainsAndAnInheritedMethodIsReplacedOnTheSubclassOnly) {
    ASSERT_TRUE(rt::hook<&Library::describe>(subClass, "describe:"));
    ASSERT_TRUE(rt::hook<&Library::describeAgain>(subClass, "describe:"));
    auto meter = rt::make<Meter>();
    auto sub = rt::make<SubMeter>();
    sub->level = 0.4;
    meter->level = 0.4;
    EXPECT_EQ(rt::send<std::string>(sub, rt::sel("describe:"), "level "), "<[level 40]>");
    EXPECT_EQ(rt::send<std::string>(meter, rt::sel("describe:"), "level "), "level 40");
}

TEST_F(HookApiTest, AReplacementOfAnotherSignatureIsRefusedAndTheMethodStays) {
    EXPECT_THROW(rt::hook<&Library::setLevelFloat>(meterClass, "setLevel:"), rt::SignatureMismatch);
    auto meter = rt::make<Meter>();
    rt::send<void>(meter, rt::sel("setLevel:"), 3.0);
    EXPECT_DOUBLE_EQ(meter->level, 3.0);
}

TEST_F(HookApiTest, ASelectorNobodyImplementsIsNotHookedAndItsOriginalIsRefused) {
    EXPECT_FALSE(rt::hook<&Library::neverHooked>(meterClass, "reset"));
    EXPECT_FALSE(rt::hook<&Library::neverHooked>(nullptr, "reset"));
    EXPECT_FALSE(rt::respondsToSelector(rt::make<Meter>(), rt::sel("reset")));
    EXPECT_THROW(Library::neverHooked(rt::make<Meter>().get(), rt::sel("reset")), std::logic_error);
}

TEST_F(HookApiTest, AFreshWorldHooksAgainAndTheOriginalIsThatWorldsImplementation) {
    ASSERT_TRUE(rt::hook<&Library::setLevel>(meterClass, "setLevel:"));
    rt::resetWorld();
    SetUp();
    ASSERT_TRUE(rt::hook<&Library::setLevel>(meterClass, "setLevel:"));
    auto meter = rt::make<Meter>();
    rt::send<void>(meter, rt::sel("setLevel:"), 2.0);
    EXPECT_DOUBLE_EQ(meter->level, 1.0);
}

}  // namespace
