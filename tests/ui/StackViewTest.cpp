#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "ToolkitFixture.h"
#include "rt/Make.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/LayoutConstraint.h"
#include "ui/StackView.h"

using ui::Button;
using ui::LayoutAttribute;
using ui::LayoutConstraint;
using ui::LayoutRelation;
using ui::Rect;
using ui::StackView;
using ui::View;

namespace {

// A square button sized as the toggle buttons size themselves: a fixed height added to the
// button, and its height tied to its width by an activated anchor constraint.
rt::Ref<Button> squareButton(double side) {
    auto button = rt::make<Button>();
    button->addConstraint(LayoutConstraint::constraintWithItem(
                              button.get(), LayoutAttribute::Height, LayoutRelation::Equal, nullptr,
                              LayoutAttribute::NotAnAttribute, 1.0, side)
                              .get());
    button->heightAnchor()
        ->constraintEqualToAnchorWithMultiplier(*button->widthAnchor(), 1.0)
        ->setActive(true);
    return button;
}

class StackViewTest : public ToolkitTest {
  protected:
    // A row of the given size holding a stack pinned to its four edges by visual formats.
    void makeRow(double width, double height) {
        row = rt::make<View>(Rect(10, 10, width, height));
        stack = rt::make<StackView>();
        stack->setAxis(StackView::kAxisHorizontal);
        stack->setDistribution(StackView::kDistributionEqualSpacing);
        stack->setAlignment(StackView::kAlignmentCenter);
        stack->setSpacing(0);
        stack->setTranslatesAutoresizingMaskIntoConstraints(false);
        row->addSubview(stack.get());
        const std::map<std::string, rt::Ref<View>> views{{"togglesStackView", stack}};
        row->addConstraints(LayoutConstraint::constraintsWithVisualFormat(
            "H:|-0-[togglesStackView]-0-|", 0, {}, views));
        row->addConstraints(LayoutConstraint::constraintsWithVisualFormat(
            "V:|-0-[togglesStackView]-0-|", 0, {}, views));
    }

    rt::Ref<View> row;
    rt::Ref<StackView> stack;
};

TEST_F(StackViewTest, SpreadsThreeButtonsWithEqualGapsAndCentresThemVertically) {
    makeRow(72, 16);
    std::vector<rt::Ref<Button>> buttons;
    for (int i = 0; i < 3; ++i) {
        buttons.push_back(rt::make<Button>());
        stack->addArrangedSubview(buttons.back().get());
    }
    for (auto& button : buttons) {  // sized once arranged, as the toggles row does
        button->addConstraint(LayoutConstraint::constraintWithItem(
                                  button.get(), LayoutAttribute::Height, LayoutRelation::Equal,
                                  nullptr, LayoutAttribute::NotAnAttribute, 1.0, 20)
                                  .get());
        button->heightAnchor()
            ->constraintEqualToAnchorWithMultiplier(*button->widthAnchor(), 1.0)
            ->setActive(true);
    }
    row->layoutIfNeeded();

    EXPECT_EQ(stack->frame(), Rect(0, 0, 72, 16));
    EXPECT_EQ(buttons[0]->frame(), Rect(0, -2, 20, 20));
    EXPECT_EQ(buttons[1]->frame(), Rect(26, -2, 20, 20));
    EXPECT_EQ(buttons[2]->frame(), Rect(52, -2, 20, 20));
}

TEST_F(StackViewTest, ARightToLeftInterfaceArrangesFromTheRight) {
    ui::Application::sharedApplication()->setUserInterfaceLayoutDirection(
        ui::Application::kRightToLeft);
    makeRow(72, 16);
    auto first = squareButton(20);
    auto second = squareButton(20);
    stack->addArrangedSubview(first.get());
    stack->addArrangedSubview(second.get());
    row->layoutIfNeeded();
    EXPECT_EQ(stack->frame(), Rect(0, 0, 72, 16));  // leading and trailing pins hold mirrored too
    EXPECT_EQ(first->frame().x(), 52);
    EXPECT_EQ(second->frame().x(), 0);
}

TEST_F(StackViewTest, ArrangingAddsASubviewAndRemovingFromTheArrangementKeepsIt) {
    makeRow(300, 30);
    auto button = squareButton(21);
    stack->addArrangedSubview(button.get());
    stack->addArrangedSubview(button.get());  // once only
    EXPECT_EQ(stack->arrangedSubviews().size(), 1u);
    EXPECT_EQ(button->superview(), stack);
    EXPECT_FALSE(button->translatesAutoresizingMaskIntoConstraints());

    stack->removeArrangedSubview(button.get());
    EXPECT_TRUE(stack->arrangedSubviews().empty());
    EXPECT_EQ(button->superview(), stack);

    stack->addArrangedSubview(button.get());
    button->removeFromSuperview();  // leaving the stack view leaves the arrangement too
    EXPECT_TRUE(stack->arrangedSubviews().empty());
    EXPECT_EQ(button->superview(), nullptr);
}

TEST_F(StackViewTest, HiddenViewsTakeNoPlaceAndOneViewStandsAtTheStart) {
    makeRow(300, 30);
    auto shown = squareButton(30);
    auto hidden = squareButton(30);
    stack->addArrangedSubview(hidden.get());
    stack->addArrangedSubview(shown.get());
    hidden->setHidden(true);
    row->layoutIfNeeded();
    EXPECT_EQ(shown->frame(), Rect(0, 0, 30, 30));
}

TEST_F(StackViewTest, OtherDistributionsAndAlignments) {
    makeRow(100, 40);
    auto a = squareButton(10);
    auto b = squareButton(30);
    stack->addArrangedSubview(a.get());
    stack->addArrangedSubview(b.get());
    stack->setSpacing(10);
    stack->setDistribution(StackView::kDistributionFillEqually);
    stack->setAlignment(StackView::kAlignmentFill);
    row->layoutIfNeeded();
    EXPECT_EQ(a->frame(), Rect(0, 0, 45, 40));
    EXPECT_EQ(b->frame(), Rect(55, 0, 45, 40));

    stack->setDistribution(StackView::kDistributionFill);
    stack->setAlignment(StackView::kAlignmentTop);
    row->layoutIfNeeded();
    EXPECT_EQ(a->frame(), Rect(0, 0, 10, 10));
    EXPECT_EQ(b->frame(), Rect(20, 0, 80, 30));  // the last one takes what is left

    stack->setSpacing(0);
    stack->setAxis(StackView::kAxisVertical);
    stack->setDistribution(StackView::kDistributionEqualSpacing);
    stack->setAlignment(StackView::kAlignmentTrailing);
    row->layoutIfNeeded();
    EXPECT_EQ(a->frame(), Rect(90, 0, 10, 10));
    EXPECT_EQ(b->frame(), Rect(70, 10, 30, 30));
}

}  // namespace
