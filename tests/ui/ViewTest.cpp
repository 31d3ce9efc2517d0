#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ToolkitFixture.h"
#include "foundation/BoxedString.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "ui/Button.h"
#include "ui/Event.h"
#include "ui/Filter.h"
#include "ui/LayoutPass.h"
#include "ui/SimulatedFinger.h"
#include "ui/SuperMessage.h"
#include "ui/View.h"

using ui::Color;
using ui::Point;
using ui::Rect;
using ui::View;

namespace {

// A view class defined outside the toolkit, as a tweak defines one, whose touch area reaches
// 20 points beyond its bounds by a runtime override of pointInside:withEvent:.
struct WideTouchView : View {
    static constexpr const char* kClassName = "WideTouchView";
    using View::View;
    int _layoutCount = 0;
    // Run by its layout, after the count (to mark other views while a tree is laid out).
    std::function<void()> _duringLayout;
};

bool widePointInside(rt::Object* self, rt::Selector, const Point& point, rt::Object*) {
    return static_cast<View*>(self)->bounds().insetBy(-20, -20).contains(point);
}

void countingLayoutSubviews(rt::Object* self, rt::Selector cmd) {
    auto* view = static_cast<WideTouchView*>(self);
    ++view->_layoutCount;
    if (view->_duringLayout) view->_duringLayout();
    ui::sendSuper<void>(rt::lookUpClass("WideTouchView"), self, cmd);
}

class ViewTest : public ToolkitTest {
  protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        rt::Class* cls = rt::registerClass<WideTouchView, View>();
        rt::addMethods(cls, {rt::bind<&widePointInside>("pointInside:withEvent:")});
        rt::addMethods(cls, {rt::bind<&countingLayoutSubviews>("layoutSubviews")});
    }
};

TEST_F(ViewTest, TintIsInheritedUntilAViewSetsItsOwn) {
    auto outer = rt::make<View>(Rect(0, 0, 100, 100));
    auto middle = rt::make<View>(Rect(0, 0, 50, 50));
    auto inner = rt::make<View>(Rect(0, 0, 10, 10));
    outer->addSubview(middle.get());
    middle->addSubview(inner.get());

    EXPECT_TRUE(inner->tintColor()->hasSameValueAs(*Color::systemBlueColor()));
    outer->setTintColor(Color::whiteColor());
    EXPECT_TRUE(inner->tintColor()->isEqual(Color::whiteColor().get()));

    middle->setTintColor(Color::blackColor());
    EXPECT_TRUE(inner->tintColor()->isEqual(Color::blackColor().get()));
    EXPECT_TRUE(outer->tintColor()->isEqual(Color::whiteColor().get()));

    middle->setTintColor(nullptr);  // back to inheriting
    EXPECT_TRUE(inner->tintColor()->isEqual(Color::whiteColor().get()));

    inner->removeFromSuperview();  // out of the tree: the system default again
    EXPECT_TRUE(inner->tintColor()->hasSameValueAs(*Color::systemBlueColor()));
}

TEST_F(ViewTest, ColoursCompareByColourSpaceAndComponents) {
    EXPECT_TRUE(Color::whiteColor()->isEqual(Color::colorWithWhite(1, 1).get()));
    EXPECT_FALSE(Color::whiteColor()->isEqual(Color::colorWithRed(1, 1, 1, 1).get()));
    EXPECT_FALSE(Color::whiteColor()->isEqual(Color::blackColor().get()));
    EXPECT_FALSE(Color::whiteColor()->isEqual(nullptr));
    const auto components = Color::darkGrayColor()->components();
    EXPECT_DOUBLE_EQ(components.red, 1.0 / 3.0);
    EXPECT_DOUBLE_EQ(components.alpha, 1.0);
    EXPECT_DOUBLE_EQ(Color::clearColor()->components().alpha, 0.0);
}

TEST_F(ViewTest, SubviewsAreOwnedAndTheSuperviewIsWeak) {
    auto parent = rt::make<View>();
    rt::Weak<View> weakChild;
    {
        auto child = rt::make<View>();
        weakChild = child;
        parent->addSubview(child.get());
    }
    ASSERT_FALSE(weakChild.expired());
    rt::Ref<View> child = weakChild.lock();
    EXPECT_EQ(child->superview(), parent);

    rt::Weak<View> weakParent = parent;
    parent = nullptr;
    EXPECT_TRUE(weakParent.expired());
    EXPECT_EQ(child->superview(), nullptr);
}

TEST_F(ViewTest, AddingMovesAViewAndRefusesCycles) {
    auto first = rt::make<View>();
    auto second = rt::make<View>();
    auto child = rt::make<View>();
    first->addSubview(child.get());
    second->addSubview(child.get());
    EXPECT_TRUE(first->subviews().empty());
    ASSERT_EQ(second->subviews().size(), 1u);

    child->addSubview(second.get());  // would make second its own ancestor
    EXPECT_TRUE(child->subviews().empty());
    second->addSubview(second.get());
    EXPECT_EQ(second->subviews().size(), 1u);
}

TEST_F(ViewTest, HitTestingGoesThroughAnOverriddenPointInside) {
    auto root = rt::make<View>(Rect(0, 0, 300, 300));
    auto wide = rt::make<WideTouchView>(Rect(100, 100, 30, 30));
    root->addSubview(wide.get());

    EXPECT_EQ(root->hitTest({145, 115}, nullptr), wide);  // 15 points right of its edge
    EXPECT_EQ(root->hitTest({151, 115}, nullptr), root);  // 21 points right: not it
    EXPECT_EQ(root->hitTest({80, 80}, nullptr), wide);    // the grown top-left corner
    EXPECT_EQ(root->hitTest({79.9, 80}, nullptr), root);

    wide->setHidden(true);
    EXPECT_EQ(root->hitTest({110, 110}, nullptr), root);
    wide->setHidden(false);
    wide->setAlpha(0);
    EXPECT_EQ(root->hitTest({110, 110}, nullptr), root);
    wide->setAlpha(1);
    wide->setUserInteractionEnabled(false);
    EXPECT_EQ(root->hitTest({110, 110}, nullptr), root);
}

TEST_F(ViewTest, TheTopmostSubviewWinsAndPointsAreConverted) {
    auto root = rt::make<View>(Rect(0, 0, 200, 200));
    auto container = rt::make<View>(Rect(50, 50, 100, 100));
    auto below = rt::make<View>(Rect(0, 0, 40, 40));
    auto above = rt::make<View>(Rect(20, 20, 40, 40));
    root->addSubview(container.get());
    container->addSubview(below.get());
    container->addSubview(above.get());

    EXPECT_EQ(root->hitTest({75, 75}, nullptr),
              above);  // (25, 25) in the container: both; above wins
    EXPECT_EQ(root->hitTest({55, 55}, nullptr), below);
    const Point inAbove = above->convertPointFromView({75, 75}, root.get());
    EXPECT_DOUBLE_EQ(inAbove.x, 5);
    EXPECT_DOUBLE_EQ(inAbove.y, 5);
    const Point back = above->convertPointToView(inAbove, root.get());
    EXPECT_DOUBLE_EQ(back.x, 75);
}

TEST_F(ViewTest, AScaleTransformScalesTheFrameAboutTheCentre) {
    auto view = rt::make<View>(Rect(10, 10, 20, 20));
    view->setTransform(ui::AffineTransform::makeScale(0.5, 0.5));
    EXPECT_EQ(view->frame(), Rect(15, 15, 10, 10));
    EXPECT_EQ(view->bounds().size, (ui::Size{20, 20}));
    view->setTransform(ui::AffineTransform::identity());
    EXPECT_EQ(view->frame(), Rect(10, 10, 20, 20));
}

TEST_F(ViewTest, LayoutRunsAnOverriddenLayoutSubviewsOnceWhenNeeded) {
    auto parent = rt::make<View>(Rect(0, 0, 100, 100));
    auto custom = rt::make<WideTouchView>(Rect(0, 0, 50, 50));
    parent->addSubview(custom.get());
    parent->layoutIfNeeded();
    EXPECT_EQ(custom->_layoutCount, 1);
    parent->layoutIfNeeded();
    EXPECT_EQ(custom->_layoutCount, 1);
    custom->setFrame(Rect(0, 0, 60, 50));  // a new size needs a new layout
    parent->layoutIfNeeded();
    EXPECT_EQ(custom->_layoutCount, 2);
    custom->setFrame(Rect(5, 5, 60, 50));  // moving does not
    parent->layoutIfNeeded();
    EXPECT_EQ(custom->_layoutCount, 2);
}

// The end-of-turn pass lays out a view marked many times once, sees a mark made after it ran,
// and does not mistake a new view for one that was marked and is gone.
// Laying out a tree reaches a view marked deep in it, one added to it already marked, and one
// marked by another's layout while the tree is laid out (at once or at the next call).
TEST_F(ViewTest, LayoutFromTheRootReachesEveryViewMarkedBelowIt) {
    auto root = rt::make<View>(Rect(0, 0, 100, 100));
    auto middle = rt::make<View>(Rect(0, 0, 100, 100));
    auto first = rt::make<WideTouchView>(Rect(0, 0, 10, 10));
    auto second = rt::make<WideTouchView>(Rect(0, 0, 10, 10));
    root->addSubview(middle.get());
    middle->addSubview(first.get());
    middle->addSubview(second.get());
    root->layoutIfNeeded();
    EXPECT_EQ(first->_layoutCount, 1);
    EXPECT_EQ(second->_layoutCount, 1);
    root->layoutIfNeeded();
    EXPECT_EQ(first->_layoutCount, 1) << "nothing marked";

    second->setNeedsLayout();
    root->layoutIfNeeded();
    EXPECT_EQ(first->_layoutCount, 1);
    EXPECT_EQ(second->_layoutCount, 2);

    auto detached = rt::make<View>(Rect(0, 0, 50, 50));
    auto late = rt::make<WideTouchView>(Rect(0, 0, 10, 10));
    detached->addSubview(late.get());
    detached->layoutIfNeeded();
    late->setNeedsLayout();  // marked while outside the tree
    middle->addSubview(detached.get());
    root->layoutIfNeeded();
    EXPECT_EQ(late->_layoutCount, 2);

    // The second view's layout marks the first, laid out before it in this pass, and itself.
    second->_duringLayout = [&] {
        first->setNeedsLayout();
        second->_duringLayout = nullptr;
    };
    second->setNeedsLayout();
    root->layoutIfNeeded();
    EXPECT_EQ(second->_layoutCount, 3);
    root->layoutIfNeeded();
    EXPECT_EQ(first->_layoutCount, 2) << "the mark made during the pass is kept";
}

TEST_F(ViewTest, TheEndOfTurnPassLaysOutEachMarkedViewOnceAndSeesLaterMarks) {
    auto custom = rt::make<WideTouchView>(Rect(0, 0, 50, 50));
    for (int i = 0; i < 5; ++i) custom->setNeedsLayout();
    ui::LayoutPass::run();
    EXPECT_EQ(custom->_layoutCount, 1);
    ui::LayoutPass::run();  // nothing marked since
    EXPECT_EQ(custom->_layoutCount, 1);
    custom->setNeedsLayout();
    ui::LayoutPass::run();
    EXPECT_EQ(custom->_layoutCount, 2);

    for (int round = 0; round < 20; ++round) {
        rt::make<WideTouchView>(Rect(0, 0, 10, 10))->setNeedsLayout();  // gone before the pass
        auto fresh = rt::make<WideTouchView>(Rect(0, 0, 10, 10));
        fresh->setNeedsLayout();
        ui::LayoutPass::run();
        ASSERT_EQ(fresh->_layoutCount, 1) << "round " << round;
    }
}

// A turn that marks thousands of short-lived views before its pass (the list is rid of the
// gone ones as it grows) still lays out every live view it marked, each once.
TEST_F(ViewTest, ThePassKeepsEveryLiveMarkAmongManyGoneViews) {
    std::vector<rt::Ref<WideTouchView>> live;
    for (int i = 0; i < 3000; ++i) {
        rt::make<WideTouchView>(Rect(0, 0, 10, 10))->setNeedsLayout();
        if (i % 100 == 0) {
            live.push_back(rt::make<WideTouchView>(Rect(0, 0, 10, 10)));
            live.back()->setNeedsLayout();
        }
        if (!live.empty()) live.front()->setNeedsLayout();  // marked again: listed once
    }
    ui::LayoutPass::run();
    for (const auto& view : live) EXPECT_EQ(view->_layoutCount, 1);
    ui::LayoutPass::run();
    for (const auto& view : live) EXPECT_EQ(view->_layoutCount, 1);
}

TEST_F(ViewTest, LayersKeepFiltersThatAnswerTheirNameByKey) {
    auto view = rt::make<View>();
    EXPECT_TRUE(view->layer()->filters().empty());
    view->layer()->setFilters({ui::Filter::filterWithName("colorInvert")});
    rt::Ref<rt::Object> name = rt::send<rt::Ref<rt::Object>>(view->layer()->filters().front(),
                                                             rt::sel("valueForKey:"), "name");
    auto* text = rt::cast<ui::BoxedString>(name.get());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->value(), "colorInvert");
    EXPECT_EQ(ui::Filter::filterWithName("x")->valueForKey("other"), nullptr);
    EXPECT_FALSE(rt::respondsToSelector(rt::retained(view->layer()), rt::sel("isDarkModeEnabled")));
}

}  // namespace
