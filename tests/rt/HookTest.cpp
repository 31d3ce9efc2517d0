#include <gtest/gtest.h>

#include <string>

#include "RuntimeFixture.h"

using rt::Object;
using rt::Selector;

namespace {

std::string baseTitle(Object*, Selector) {
    return "base";
}
std::string specialTitle(Object*, Selector) {
    return "special";
}

std::string (*firstOriginal)(Object*, Selector) = nullptr;
std::string (*secondOriginal)(Object*, Selector) = nullptr;
std::string firstHook(Object* self, Selector cmd) {
    return "first(" + firstOriginal(self, cmd) + ")";
}
std::string secondHook(Object* self, Selector cmd) {
    return "second(" + secondOriginal(self, cmd) + ")";
}

void (*setLevelOriginal)(Object*, Selector, double) = nullptr;
void setLevel(Object* self, Selector, double value) {
    asCounter(self)._level = value;
}
void setLevelClamped(Object* self, Selector cmd, double value) {
    setLevelOriginal(self, cmd, value > 1.0 ? 1.0 : value);
}
void setLevelFloat(Object*, Selector, float) {}

class HookTest : public RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        firstOriginal = secondOriginal = nullptr;
        setLevelOriginal = nullptr;
        counterClass = rt::registerClass<Counter>();
        specialClass = rt::registerClass<SpecialCounter, Counter>();
        rt::detail::addMethod(counterClass, title, &baseTitle);
    }
    const Selector title = rt::sel("title");
    rt::Class* counterClass = nullptr;
    rt::Class* specialClass = nullptr;
};

TEST_F(HookTest, ReplacesOwnMethodAndKeepsOriginalCallable) {
    ASSERT_TRUE(rt::detail::addMethod(counterClass, rt::sel("setLevel:"), &setLevel));
    auto counter = rt::make<Counter>();
    rt::send<void>(counter, rt::sel("setLevel:"), 3.0);  // fills the cache before the hook
    ASSERT_TRUE(rt::detail::hookMessage(counterClass, rt::sel("setLevel:"), &setLevelClamped,
                                        &setLevelOriginal));
    EXPECT_EQ(setLevelOriginal, &setLevel);
    rt::send<void>(counter, rt::sel("setLevel:"), 3.0);
    EXPECT_DOUBLE_EQ(counter->_level, 1.0);
}

TEST_F(HookTest, HookingTwiceChains) {
    auto counter = rt::make<Counter>();
    ASSERT_TRUE(rt::detail::hookMessage(counterClass, title, &firstHook, &firstOriginal));
    ASSERT_TRUE(rt::detail::hookMessage(counterClass, title, &secondHook, &secondOriginal));
    EXPECT_EQ(secondOriginal, &firstHook);
    EXPECT_EQ(rt::send<std::string>(counter, title), "second(first(base))");
}

TEST_F(HookTest, HookingAnInheritedMethodPutsTheReplacementOnTheSubclassOnly) {
    auto counter = rt::make<Counter>();
    auto special = rt::make<SpecialCounter>();
    EXPECT_EQ(rt::send<std::string>(special, title), "base");  // inherited, now cached
    ASSERT_TRUE(rt::detail::hookMessage(specialClass, title, &firstHook, &firstOriginal));
    EXPECT_EQ(firstOriginal, &baseTitle);
    EXPECT_EQ(rt::send<std::string>(special, title), "first(base)");
    EXPECT_EQ(rt::send<std::string>(counter, title), "base");
    // The subclass now owns the method, so addMethod no longer adds there.
    EXPECT_FALSE(rt::detail::addMethod(specialClass, title, &specialTitle));
}

TEST_F(HookTest, HookingASuperclassAffectsSubclassesThatInherit) {
    auto special = rt::make<SpecialCounter>();
    EXPECT_EQ(rt::send<std::string>(special, title), "base");
    ASSERT_TRUE(rt::detail::hookMessage(counterClass, title, &firstHook, &firstOriginal));
    EXPECT_EQ(rt::send<std::string>(special, title), "first(base)");
}

TEST_F(HookTest, HookingClassMethodsThroughTheMetaclass) {
    ASSERT_TRUE(rt::detail::addClassMethod(counterClass, title, &specialTitle));
    ASSERT_TRUE(
        rt::detail::hookMessage(counterClass->metaclass(), title, &firstHook, &firstOriginal));
    EXPECT_EQ(rt::send<std::string>(specialClass, title), "first(special)");
    EXPECT_EQ(rt::send<std::string>(rt::make<Counter>(), title), "base");
}

TEST_F(HookTest, HookingAnUnimplementedSelectorAnswersFalseAndNullOriginal) {
    firstOriginal = &baseTitle;
    EXPECT_FALSE(rt::detail::hookMessage(specialClass, rt::sel("nobodyHasThis"), &firstHook,
                                         &firstOriginal));
    EXPECT_EQ(firstOriginal, nullptr);
    EXPECT_FALSE(rt::respondsToSelector(rt::make<SpecialCounter>(), rt::sel("nobodyHasThis")));
    EXPECT_FALSE(rt::detail::hookMessage(nullptr, title, &firstHook, &firstOriginal));
}

TEST_F(HookTest, ReplacementWithAnotherSignatureIsRefusedAndNothingChanges) {
    ASSERT_TRUE(rt::detail::addMethod(counterClass, rt::sel("setLevel:"), &setLevel));
    void (*floatOriginal)(Object*, Selector, float) = &setLevelFloat;
    try {
        rt::detail::hookMessage(specialClass, rt::sel("setLevel:"), &setLevelFloat, &floatOriginal);
        FAIL() << "expected SignatureMismatch";
    } catch (const rt::SignatureMismatch& error) {
        EXPECT_EQ(error.className(), "SpecialCounter");
        EXPECT_NE(error.storedSignature().find("double"), std::string::npos);
        EXPECT_NE(error.givenSignature().find("float"), std::string::npos);
    }
    EXPECT_EQ(floatOriginal, &setLevelFloat);  // untouched by a refused hook
    auto special = rt::make<SpecialCounter>();
    rt::send<void>(special, rt::sel("setLevel:"), 0.25);
    EXPECT_DOUBLE_EQ(special->_level, 0.25);
}

TEST_F(HookTest, OriginalMayBeOmitted) {
    ASSERT_TRUE(rt::detail::hookMessage(counterClass, title, &specialTitle, nullptr));
    EXPECT_EQ(rt::send<std::string>(rt::make<SpecialCounter>(), title), "special");
}

}  // namespace
