#include <gtest/gtest.h>

#include <string>

#include "RuntimeFixture.h"

using rt::Object;
using rt::Selector;

namespace {

std::string oldTitle(Object*, Selector) {
    return "old";
}
std::string newTitle(Object*, Selector) {
    return "new";
}
int attachKey = 0;

class WorldResetTest : public RuntimeTest {};

TEST_F(WorldResetTest, AFreshWorldHasOnlyTheStandardClasses) {
    rt::Class* oldCounter = rt::registerClass<Counter>();
    rt::detail::addMethod(oldCounter, rt::sel("title"), &oldTitle);
    rt::resetWorld();

    EXPECT_EQ(rt::lookUpClass("Counter"), nullptr);
    ASSERT_NE(rt::lookUpClass("NSObject"), nullptr);
    ASSERT_NE(rt::lookUpClass("NSNumber"), nullptr);
    EXPECT_EQ(rt::lookUpClass("NSNumber")->superclass(), rt::lookUpClass("NSObject"));
    EXPECT_THROW(rt::make<Counter>(), std::logic_error);  // the cached old class is not used

    rt::Class* newCounter = rt::registerClass<Counter>();
    EXPECT_NE(newCounter, oldCounter);
    auto counter = rt::make<Counter>();
    EXPECT_EQ(counter->getClass(), newCounter);
    EXPECT_FALSE(rt::respondsToSelector(counter, rt::sel("title")));
    rt::detail::addMethod(newCounter, rt::sel("title"), &newTitle);
    EXPECT_EQ(rt::send<std::string>(counter, rt::sel("title")), "new");
}

TEST_F(WorldResetTest, ObjectsFromAnEarlierWorldSurviveAndDieSafely) {
    rt::Class* oldCounter = rt::registerClass<Counter>();
    rt::registerClass<Tracked>();
    rt::detail::addMethod(oldCounter, rt::sel("title"), &oldTitle);
    int destroyed = 0;
    auto survivor = rt::make<Counter>();
    rt::setAssociatedObject(survivor.get(), &attachKey, rt::make<Tracked>(destroyed));
    rt::Weak<Counter> weak = survivor;
    const Selector kept = rt::sel("title");

    rt::resetWorld();
    rt::resetWorld();

    EXPECT_EQ(rt::sel("title"), kept);  // selectors outlive worlds
    EXPECT_EQ(survivor->getClass(), oldCounter);
    EXPECT_EQ(survivor->getClass()->name(), "Counter");
    EXPECT_EQ(rt::send<std::string>(survivor, kept), "old");
    EXPECT_THROW(rt::Runtime::registerClass("Child", oldCounter), std::logic_error);
    survivor = nullptr;
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(weak.expired());
}

}  // namespace
