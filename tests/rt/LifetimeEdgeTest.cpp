#include <gtest/gtest.h>

#include "RuntimeFixture.h"

using rt::Object;

namespace {

// Hands a weak reference to itself out of its destructor, as a host object might when it
// unregisters from an observer list while it dies.
struct WeakFromDestructor : rt::Object {
    static constexpr const char* kClassName = "WeakFromDestructor";
    explicit WeakFromDestructor(rt::Weak<Object>& escaped) : _escaped(escaped) {}
    ~WeakFromDestructor() override { _escaped = rt::Weak<Object>(this); }
    rt::Weak<Object>& _escaped;
};

// Holds its neighbour weakly, as a view holds its superview.
struct Linked : rt::Object {
    static constexpr const char* kClassName = "Linked";
    rt::Weak<Object> _owner;
    Object* _unretained = nullptr;
};

class LifetimeEdgeTest : public RuntimeTest {};

TEST_F(LifetimeEdgeTest, AWeakReferenceFormedInADestructorIsNullAfterwards) {
    rt::registerClass<WeakFromDestructor>();
    rt::Weak<Object> escaped;
    {
        // Once with a weak reference made before, once with none: both paths detach.
        auto watched = rt::make<WeakFromDestructor>(escaped);
        rt::Weak<Object> earlier = watched;
    }
    EXPECT_EQ(escaped.lock(), nullptr);
    escaped = nullptr;
    rt::make<WeakFromDestructor>(escaped);
    EXPECT_EQ(escaped.lock(), nullptr);
    EXPECT_TRUE(escaped.expired());
}

TEST_F(LifetimeEdgeTest, WeakAndUnretainedFieldsAreFoundByName) {
    rt::Class* linkedClass = rt::registerClass<Linked>();
    rt::declareField(linkedClass, "_owner", &Linked::_owner);
    rt::declareField(linkedClass, "_unretained", &Linked::_unretained);
    auto owner = rt::make<Linked>();
    auto child = rt::make<Linked>();
    child->_owner = owner;
    child->_unretained = owner.get();

    EXPECT_EQ(rt::getField(child.get(), "_owner"), owner.get());
    EXPECT_EQ(rt::getField(child.get(), "_unretained"), owner.get());
    EXPECT_NE(rt::fieldPointer<rt::Weak<Object>>(child.get(), "_owner"), nullptr);
    EXPECT_EQ(owner->retainCount(), 1u);  // reading a weak field keeps nothing alive

    owner = nullptr;
    EXPECT_EQ(rt::getField(child.get(), "_owner"), nullptr);  // gone, not dangling
}

}  // namespace
