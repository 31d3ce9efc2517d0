#include <gtest/gtest.h>

#include <string>

#include "RuntimeFixture.h"

using rt::Object;
using rt::Selector;

namespace {

long long addTo(Object* self, Selector, long long amount) {
    return asCounter(self)._count += amount;
}
long long addTwice(Object* self, Selector, long long amount) {
    return asCounter(self)._count += 2 * amount;
}
double level(Object* self, Selector) {
    return asCounter(self)._level;
}
std::string describe(Object*, Selector, const std::string& prefix, Object* other) {
    return prefix + ":" + (other ? other->getClass()->name() : std::string("nil"));
}
std::string className(Object* self, Selector) {
    return "class " + static_cast<rt::Class*>(self)->name();
}
std::string instanceName(Object*, Selector) {
    return "instance";
}
rt::Ref<Object> makeCounter(Object*, Selector) {
    return rt::make<Counter>();
}

class MessagingTest : public RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        counterClass = rt::registerClass<Counter>();
        specialClass = rt::registerClass<SpecialCounter, Counter>();
    }
    rt::Class* counterClass = nullptr;
    rt::Class* specialClass = nullptr;
};

TEST_F(MessagingTest, SendFindsMethodsThroughTheSuperclassChain) {
    ASSERT_TRUE(rt::detail::addMethod(counterClass, rt::sel("addTo:"), &addTo));
    auto special = rt::make<SpecialCounter>();
    EXPECT_EQ(rt::send<long long>(special, rt::sel("addTo:"), 5LL), 5);
    EXPECT_EQ(rt::send<long long>(special.get(), rt::sel("addTo:"), 2LL), 7);
    EXPECT_EQ(special->getClass(), specialClass);
}

TEST_F(MessagingTest, AddingToASuperclassAfterAMissIsSeenBySubclasses) {
    auto special = rt::make<SpecialCounter>();
    EXPECT_FALSE(rt::respondsToSelector(special, rt::sel("level")));  // caches the miss
    ASSERT_TRUE(rt::detail::addMethod(counterClass, rt::sel("level"), &level));
    special->_level = 0.5;
    EXPECT_TRUE(rt::respondsToSelector(special, rt::sel("level")));
    EXPECT_DOUBLE_EQ(rt::send<double>(special, rt::sel("level")), 0.5);
}

TEST_F(MessagingTest, AddMethodOverridesInheritedButNeverReplacesOwn) {
    ASSERT_TRUE(rt::detail::addMethod(counterClass, rt::sel("addTo:"), &addTo));
    auto special = rt::make<SpecialCounter>();
    EXPECT_EQ(rt::send<long long>(special, rt::sel("addTo:"), 1LL), 1);  // cached inherited

    EXPECT_TRUE(rt::detail::addMethod(specialClass, rt::sel("addTo:"), &addTwice));
    EXPECT_EQ(rt::send<long long>(special, rt::sel("addTo:"), 1LL), 3);
    EXPECT_FALSE(rt::detail::addMethod(specialClass, rt::sel("addTo:"), &addTo));
    EXPECT_FALSE(rt::detail::addMethod(counterClass, rt::sel("addTo:"), &addTwice));
    EXPECT_EQ(rt::send<long long>(special, rt::sel("addTo:"), 1LL), 5);
    EXPECT_EQ(rt::send<long long>(rt::make<Counter>(), rt::sel("addTo:"), 1LL), 1);
}

TEST_F(MessagingTest, NullReceiverAnswersZeroValues) {
    rt::Ref<Counter> none;
    Counter* raw = nullptr;
    EXPECT_EQ(rt::send<double>(none, rt::sel("level")), 0.0);
    EXPECT_FALSE(rt::send<bool>(raw, rt::sel("isEnabled")));
    EXPECT_EQ(rt::send<rt::Ref<Object>>(none, rt::sel("label")), nullptr);
    EXPECT_EQ(rt::send<long long>(nullptr, rt::sel("count")), 0);
    EXPECT_EQ(rt::send<std::string>(none, rt::sel("title")), "");
    rt::send<void>(none, rt::sel("noSuchThing:"), 1);  // no lookup, no throw
}

TEST_F(MessagingTest, UnknownSelectorThrowsNamingClassAndSelector) {
    auto counter = rt::make<Counter>();
    try {
        rt::send<void>(counter, rt::sel("_noteProcess:didChangeToState:"), nullptr, 4);
        FAIL() << "expected UnrecognizedSelector";
    } catch (const rt::UnrecognizedSelector& error) {
        EXPECT_EQ(error.className(), "Counter");
        EXPECT_EQ(error.selectorName(), "_noteProcess:didChangeToState:");
        EXPECT_NE(std::string(error.what()).find("-[Counter _noteProcess:didChangeToState:]"),
                  std::string::npos);
    }
    EXPECT_THROW(rt::send<void>(counter, Selector()), rt::UnrecognizedSelector);
}

TEST_F(MessagingTest, SignatureMismatchNamesClassSelectorAndBothSignatures) {
    ASSERT_TRUE(rt::detail::addMethod(counterClass, rt::sel("addTo:"), &addTo));
    auto special = rt::make<SpecialCounter>();
    try {
        rt::send<long long>(special, rt::sel("addTo:"), 1);  // int, not long long
        FAIL() << "expected SignatureMismatch";
    } catch (const rt::SignatureMismatch& error) {
        const std::string message = error.what();
        EXPECT_EQ(error.className(), "SpecialCounter");
        EXPECT_EQ(error.selectorName(), "addTo:");
        EXPECT_NE(message.find("SpecialCounter"), std::string::npos);
        EXPECT_NE(message.find("addTo:"), std::string::npos);
        EXPECT_NE(message.find("long long (*)(rt::Object*, rt::Selector, long long)"),
                  std::string::npos)
            << message;
        EXPECT_NE(message.find("long long (*)(rt::Object*, rt::Selector, int)"), std::string::npos)
            << message;
    }
    EXPECT_THROW(rt::send<double>(special, rt::sel("addTo:"), 1LL), rt::SignatureMismatch);
    EXPECT_EQ(special->_count, 0);  // nothing was called through the wrong types
}

TEST_F(MessagingTest, StringAndObjectArgumentsAreCanonical) {
    ASSERT_TRUE(rt::detail::addMethod(counterClass, rt::sel("describe:with:"), &describe));
    auto counter = rt::make<Counter>();
    auto special = rt::make<SpecialCounter>();
    const Selector describeSel = rt::sel("describe:with:");
    const std::string prefix = "std";
    const char* nullText = nullptr;
    EXPECT_EQ(rt::send<std::string>(counter, describeSel, "literal", special),
              "literal:SpecialCounter");
    EXPECT_EQ(rt::send<std::string>(counter, describeSel, prefix, special.get()),
              "std:SpecialCounter");
    EXPECT_EQ(rt::send<std::string>(counter, describeSel, std::string_view("view"), nullptr),
              "view:nil");
    EXPECT_EQ(rt::send<std::string>(counter, describeSel, nullText, counterClass), ":Counter");
    EXPECT_EQ(rt::send<std::string>(counter, describeSel, prefix, rt::Ref<Object>()), "std:nil");
}

TEST_F(MessagingTest, ClassMethodsLiveOnTheMetaclassChain) {
    rt::Class* meta = counterClass->metaclass();
    ASSERT_TRUE(meta->isMetaclass());
    EXPECT_EQ(specialClass->metaclass()->superclass(), meta);
    rt::Class* root = rt::lookUpClass("NSObject");
    EXPECT_EQ(root->metaclass()->superclass(), root);
    EXPECT_EQ(root->metaclass()->getClass(), root->metaclass());

    ASSERT_TRUE(rt::detail::addClassMethod(counterClass, rt::sel("className"), &className));
    ASSERT_TRUE(rt::detail::addClassMethod(counterClass, rt::sel("make"), &makeCounter));
    EXPECT_EQ(rt::send<std::string>(specialClass, rt::sel("className")), "class SpecialCounter");
    EXPECT_FALSE(rt::respondsToSelector(rt::make<Counter>(), rt::sel("className")));
    auto made = rt::send<rt::Ref<Object>>(counterClass, rt::sel("make"));
    EXPECT_NE(rt::cast<Counter>(made.get()), nullptr);

    // As on the device, a class answers the root class's instance methods.
    ASSERT_TRUE(rt::detail::addMethod(root, rt::sel("instanceName"), &instanceName));
    EXPECT_EQ(rt::send<std::string>(specialClass, rt::sel("instanceName")), "instance");
    try {
        rt::send<void>(counterClass, rt::sel("missing"));
        FAIL();
    } catch (const rt::UnrecognizedSelector& error) {
        EXPECT_NE(std::string(error.what()).find("+[Counter missing]"), std::string::npos);
    }
}

TEST_F(MessagingTest, RespondsToSelector) {
    ASSERT_TRUE(rt::detail::addMethod(counterClass, rt::sel("addTo:"), &addTo));
    EXPECT_TRUE(rt::respondsToSelector(rt::make<SpecialCounter>(), rt::sel("addTo:")));
    EXPECT_FALSE(rt::respondsToSelector(rt::make<Object>(), rt::sel("addTo:")));
    EXPECT_FALSE(rt::respondsToSelector(rt::Ref<Object>(), rt::sel("addTo:")));
    EXPECT_TRUE(rt::classRespondsToSelector(specialClass, rt::sel("addTo:")));
    EXPECT_FALSE(rt::classRespondsToSelector(nullptr, rt::sel("addTo:")));
}

TEST(SelectorTest, InterningIsByNameAndIndicesAreDense) {
    const Selector a = rt::sel("setVolume:");
    const Selector b = rt::sel(std::string("setVolume:"));
    const Selector c = rt::sel("setVolume");
    EXPECT_EQ(a, b);
    EXPECT_FALSE(a == c);
    EXPECT_EQ(a.name(), "setVolume:");
    EXPECT_EQ(a.index(), b.index());
    EXPECT_NE(a.index(), c.index());
    const Selector fresh = rt::sel("aSelectorMadeOnlyHere");
    EXPECT_LT(fresh.index(), 1u << 20);  // dense, not a hash
    EXPECT_EQ(Selector().name(), "");
    static_assert(sizeof(Selector) == sizeof(void*));
    static_assert(std::is_trivially_copyable_v<Selector>);
}

}  // namespace
