#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "ToolkitFixture.h"
#include "rt/Make.h"
#include "ui/LayoutConstraint.h"
#include "ui/LayoutSolver.h"
#include "ui/View.h"

using ui::LayoutAttribute;
using ui::LayoutConstraint;
using ui::LayoutRelation;
using ui::Rect;
using ui::View;

namespace {

class LayoutConstraintTest : public ToolkitTest {
  protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        parent = rt::make<View>(Rect(0, 0, 200, 100));
        child = rt::make<View>(Rect(5, 5, 10, 10));
        parent->addSubview(child.get());
    }

    rt::Ref<LayoutConstraint> fixed(View* view, LayoutAttribute attribute, double value) {
        return LayoutConstraint::constraintWithItem(view, attribute, LayoutRelation::Equal, nullptr,
                                                    LayoutAttribute::NotAnAttribute, 1.0, value);
    }

    std::vector<rt::Ref<LayoutConstraint>> format(const std::string& text) {
        return LayoutConstraint::constraintsWithVisualFormat(text, 0, {}, {{"name", child}});
    }

    rt::Ref<View> parent;
    rt::Ref<View> child;
};

TEST_F(LayoutConstraintTest, VisualFormatsPinEveryEdgeToTheSuperview) {
    parent->addConstraints(format("H:|-0-[name]-0-|"));
    parent->addConstraints(format("V:|-0-[name]-0-|"));
    parent->layoutIfNeeded();
    EXPECT_EQ(child->frame(), Rect(0, 0, 200, 100));

    parent->setFrame(Rect(0, 0, 120, 40));  // the pins follow a resize
    parent->layoutIfNeeded();
    EXPECT_EQ(child->frame(), Rect(0, 0, 120, 40));
}

TEST_F(LayoutConstraintTest, VisualFormatsWithMarginsSizesAndMetrics) {
    auto other = rt::make<View>();
    parent->addSubview(other.get());
    const std::map<std::string, rt::Ref<View>> views{{"a", child}, {"b", other}};
    parent->addConstraints(LayoutConstraint::constraintsWithVisualFormat(
        "H:|-pad-[a(==40)]-8-[b]-|", 0, {{"pad", 12}}, views));
    parent->addConstraints(LayoutConstraint::constraintsWithVisualFormat("V:|[a]|", 0, {}, views));
    parent->layoutIfNeeded();
    EXPECT_EQ(child->frame(), Rect(12, 0, 40, 100));
    EXPECT_DOUBLE_EQ(other->frame().x(), 60);
    EXPECT_DOUBLE_EQ(other->frame().maxX(), 180);  // the standard 20 points from the edge
}

TEST_F(LayoutConstraintTest, FixedSizesAndMultipliers) {
    fixed(child.get(), LayoutAttribute::Height, 21)->setActive(true);
    child->heightAnchor()
        ->constraintEqualToAnchorWithMultiplier(*child->widthAnchor(), 0.5)
        ->setActive(true);
    EXPECT_EQ(ui::LayoutSolver::fittingSize(*child), (ui::Size{42, 21}));
    parent->layoutIfNeeded();
    EXPECT_EQ(child->frame(), Rect(5, 5, 42, 21));  // the position was left open: it stays

    child->widthAnchor()
        ->constraintEqualToAnchorWithMultiplier(*parent->widthAnchor(), 0.25)
        ->setActive(true);
    parent->setNeedsLayout();
    parent
        ->layoutIfNeeded();  // now over-determined: the latest (width = 50) wins over the earliest
    EXPECT_DOUBLE_EQ(child->frame().width(), 50);
    EXPECT_DOUBLE_EQ(child->frame().height(), 25);
}

TEST_F(LayoutConstraintTest, ConflictsAreResolvedLatestWins) {
    child->addConstraint(fixed(child.get(), LayoutAttribute::Width, 30).get());
    child->addConstraint(fixed(child.get(), LayoutAttribute::Width, 40).get());
    parent->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(child->frame().width(), 40);

    auto earlier = child->constraints().front();
    earlier->setActive(false);
    earlier->setActive(true);  // activated again: now the latest
    parent->setNeedsLayout();
    parent->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(child->frame().width(), 30);

    // Pinned on both sides and given a width that cannot fit: the pins came last and win.
    child->addConstraint(fixed(child.get(), LayoutAttribute::Width, 500).get());
    parent->addConstraints(format("H:|-10-[name]-10-|"));
    parent->layoutIfNeeded();
    EXPECT_EQ(child->frame().x(), 10);
    EXPECT_EQ(child->frame().width(), 180);
}

TEST_F(LayoutConstraintTest, SizesNeverGoBelowZeroAndInequalitiesHoldWhenBroken) {
    parent->addConstraints(format("H:|-150-[name]-150-|"));
    parent->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(child->frame().width(), 0);

    auto other = rt::make<View>(Rect(0, 0, 5, 5));
    parent->addSubview(other.get());
    other->widthAnchor()->constraintGreaterThanOrEqualToConstant(30)->setActive(true);
    other->heightAnchor()->constraintLessThanOrEqualToConstant(50)->setActive(true);
    parent->layoutIfNeeded();
    EXPECT_EQ(other->frame().size, (ui::Size{30, 5}));
}

TEST_F(LayoutConstraintTest, AnchorsRelateSiblingsAndCentres) {
    auto other = rt::make<View>(Rect(0, 0, 20, 20));
    parent->addSubview(other.get());
    child->leadingAnchor()->constraintEqualToAnchor(*parent->leadingAnchor(), 16)->setActive(true);
    other->leadingAnchor()->constraintEqualToAnchor(*child->trailingAnchor(), 4)->setActive(true);
    other->centerYAnchor()->constraintEqualToAnchor(*parent->centerYAnchor())->setActive(true);
    parent->layoutIfNeeded();
    EXPECT_EQ(child->frame(), Rect(16, 5, 10, 10));
    EXPECT_EQ(other->frame(), Rect(30, 40, 20, 20));
}

TEST_F(LayoutConstraintTest, BadConstraintsAndFormatsAreRefusedClearly) {
    EXPECT_THROW(fixed(child.get(), LayoutAttribute::Left, 3), std::invalid_argument);
    EXPECT_THROW(LayoutConstraint::constraintWithItem(child.get(), LayoutAttribute::Width,
                                                      LayoutRelation::Equal, parent.get(),
                                                      LayoutAttribute::Left, 1, 0),
                 std::invalid_argument);
    EXPECT_THROW(format("H:|-0-[missing]-0-|"), std::invalid_argument);
    EXPECT_THROW(format("H:|-0-[name"), std::invalid_argument);
    EXPECT_THROW(format("H:|-x-[name]|"), std::invalid_argument);
    auto orphan = rt::make<View>();
    EXPECT_THROW(LayoutConstraint::constraintsWithVisualFormat("H:|[o]|", 0, {}, {{"o", orphan}}),
                 std::invalid_argument);
    auto stranger = rt::make<View>();
    EXPECT_THROW(
        child->widthAnchor()->constraintEqualToAnchor(*stranger->widthAnchor())->setActive(true),
        std::logic_error);
}

TEST_F(LayoutConstraintTest, AConstraintWhoseViewIsGoneIsIgnored) {
    {
        auto temporary = rt::make<View>(Rect(0, 0, 50, 50));
        parent->addSubview(temporary.get());
        child->widthAnchor()->constraintEqualToAnchor(*temporary->widthAnchor())->setActive(true);
        temporary->removeFromSuperview();
    }
    EXPECT_NO_THROW(parent->layoutIfNeeded());
    EXPECT_EQ(child->frame(), Rect(5, 5, 10, 10));
}

// Siblings tied by constraints move together; a view tied to nothing keeps its place whatever
// its neighbours' conflicts and broken inequalities.
TEST_F(LayoutConstraintTest, TiedSiblingsFollowEachOtherAndUntiedOnesStayPut) {
    auto second = rt::make<View>(Rect(0, 70, 20, 20));
    auto third = rt::make<View>(Rect(150, 60, 8, 8));
    auto loose = rt::make<View>(Rect(100, 80, 7, 3));
    for (View* view : {second.get(), third.get(), loose.get()}) parent->addSubview(view);
    child->leadingAnchor()->constraintEqualToAnchor(*parent->leadingAnchor(), 10)->setActive(true);
    child->widthAnchor()->constraintEqualToConstant(30)->setActive(true);
    second->leadingAnchor()->constraintEqualToAnchor(*child->trailingAnchor(), 4)->setActive(true);
    third->leadingAnchor()->constraintEqualToAnchor(*second->trailingAnchor(), 6)->setActive(true);
    third->widthAnchor()->constraintGreaterThanOrEqualToConstant(12)->setActive(true);
    loose->widthAnchor()->constraintEqualToAnchorWithMultiplier(*loose->widthAnchor(), 1.0)
        ->setActive(true);  // says nothing: the width stays
    parent->layoutIfNeeded();
    EXPECT_EQ(child->frame(), Rect(10, 5, 30, 10));
    EXPECT_EQ(second->frame(), Rect(44, 70, 20, 20));
    EXPECT_EQ(third->frame(), Rect(70, 60, 12, 8));  // the broken minimum holds
    EXPECT_EQ(loose->frame(), Rect(100, 80, 7, 3));

    child->widthAnchor()->constraintEqualToConstant(50)->setActive(true);  // the latest wins
    parent->setNeedsLayout();
    parent->layoutIfNeeded();
    EXPECT_EQ(second->frame().x(), 64);
    EXPECT_EQ(third->frame().x(), 90);
    EXPECT_EQ(loose->frame(), Rect(100, 80, 7, 3));
}

}  // namespace
