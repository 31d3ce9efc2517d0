#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "RuntimeFixture.h"

using rt::Object;
using rt::Selector;

namespace {

// Only declared in this file: a Ref to it must still be kept, copied and destroyed.
struct Opaque;
struct OpaqueHolder {
    rt::Ref<Opaque> _opaque;
};

int associatedKey = 0;
int otherKey = 0;

std::string greeting(Object*, Selector) {
    return "hello";
}

// Sends to itself from its constructor, which works because the class is set first.
struct Greeter : rt::Object {
    static constexpr const char* kClassName = "Greeter";
    Greeter() : _greeting(rt::send<std::string>(this, rt::sel("greeting"))) {}
    std::string _greeting;
};

class ObjectTest : public RuntimeTest {};

TEST_F(ObjectTest, RefCountsAndReleasesOnce) {
    rt::registerClass<Tracked>();
    int destroyed = 0;
    {
        auto tracked = rt::make<Tracked>(destroyed);
        EXPECT_EQ(tracked->retainCount(), 1u);
        rt::Ref<Object> upcast = tracked;
        rt::Ref<Object> moved = std::move(upcast);
        EXPECT_EQ(tracked->retainCount(), 2u);
        EXPECT_EQ(moved, tracked);
        EXPECT_EQ(upcast, nullptr);
        EXPECT_EQ(rt::cast<Tracked>(moved), tracked);
        EXPECT_EQ(rt::cast<Counter>(moved), nullptr);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST_F(ObjectTest, RefToAnIncompleteTypeCanBeHeldCopiedAndDropped) {
    OpaqueHolder holder;
    OpaqueHolder copy = holder;
    OpaqueHolder moved = std::move(copy);
    EXPECT_EQ(moved._opaque, holder._opaque);
    EXPECT_FALSE(moved._opaque);
}

TEST_F(ObjectTest, WeakBecomesNullWhenTheObjectIsGone) {
    rt::registerClass<Tracked>();
    int destroyed = 0;
    auto tracked = rt::make<Tracked>(destroyed);
    rt::Weak<Tracked> weak = tracked;
    rt::Weak<Tracked> copy = weak;
    EXPECT_EQ(weak.lock(), tracked);
    tracked = nullptr;
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(weak.lock(), nullptr);
    EXPECT_TRUE(copy.expired());
    EXPECT_TRUE(rt::Weak<Tracked>().expired());
}

TEST_F(ObjectTest, MakeSetsTheRuntimeClassBeforeTheConstructorRuns) {
    rt::Class* cls = rt::registerClass<Greeter>();
    rt::detail::addMethod(cls, rt::sel("greeting"), &greeting);
    auto greeter = rt::make<Greeter>();
    EXPECT_EQ(greeter->getClass(), cls);
    EXPECT_EQ(greeter->_greeting, "hello");
}

TEST_F(ObjectTest, MakeOfAnUnregisteredClassThrows) {
    EXPECT_THROW(rt::make<Counter>(), std::logic_error);
    rt::registerClass<Counter>();
    EXPECT_NO_THROW(rt::make<Counter>());
    EXPECT_THROW(rt::registerClass<Counter>(), std::logic_error);  // name already taken
}

TEST_F(ObjectTest, MakeOfClassUsesTheNearestAllocator) {
    rt::Class* counterClass = rt::registerClass<Counter>();
    // A class registered by name only, as a tweak would subclass a host class.
    rt::Class* subclass = rt::Runtime::registerClass("TweakCounter", counterClass);
    rt::Ref<Object> made = rt::makeOfClass(subclass);
    ASSERT_NE(rt::cast<Counter>(made.get()), nullptr);
    EXPECT_EQ(made->getClass(), subclass);
    EXPECT_EQ(rt::makeOfClass(nullptr), nullptr);

    rt::Class* tracked = rt::registerClass<Tracked>();  // no default constructor
    EXPECT_THROW(rt::makeOfClass(tracked), std::logic_error);
    EXPECT_THROW(rt::makeOfClass(counterClass->metaclass()), std::logic_error);
    EXPECT_EQ(rt::makeOfClass(rt::lookUpClass("NSObject"))->getClass(),
              rt::lookUpClass("NSObject"));
}

TEST_F(ObjectTest, AttachedObjectsAreReleasedWithTheirOwner) {
    rt::registerClass<Tracked>();
    rt::registerClass<Counter>();
    int destroyed = 0;
    {
        auto owner = rt::make<Counter>();
        rt::setAssociatedObject(owner.get(), &associatedKey, rt::make<Tracked>(destroyed));
        rt::setAssociatedObject(owner.get(), &otherKey, rt::make<Tracked>(destroyed));
        EXPECT_NE(rt::cast<Tracked>(rt::getAssociatedObject(owner.get(), &associatedKey)), nullptr);
        // Replacing releases the old value at once; null removes.
        rt::setAssociatedObject(owner.get(), &associatedKey, rt::make<Tracked>(destroyed));
        EXPECT_EQ(destroyed, 1);
        rt::setAssociatedObject(owner.get(), &otherKey, nullptr);
        EXPECT_EQ(destroyed, 2);
        EXPECT_EQ(rt::getAssociatedObject(owner.get(), &otherKey), nullptr);
    }
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(rt::getAssociatedObject(nullptr, &associatedKey), nullptr);
}

TEST_F(ObjectTest, AttachedObjectsMayReferToTheirOwnerWeakly) {
    rt::registerClass<Tracked>();
    int destroyed = 0;
    rt::Weak<Tracked> weakOwner;
    {
        auto owner = rt::make<Tracked>(destroyed);
        auto child = rt::make<Tracked>(destroyed);
        weakOwner = owner;
        rt::setAssociatedObject(child.get(), &associatedKey, owner);
        rt::setAssociatedObject(owner.get(), &associatedKey, nullptr);
        owner = nullptr;
        EXPECT_FALSE(weakOwner.expired());  // the child's attachment keeps it alive
    }
    EXPECT_EQ(destroyed, 2);
    EXPECT_TRUE(weakOwner.expired());
}

}  // namespace
