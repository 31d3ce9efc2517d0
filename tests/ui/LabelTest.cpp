#include <gtest/gtest.h>

#include "ToolkitFixture.h"
#include "rt/Make.h"
#include "ui/Label.h"

using ui::Font;
using ui::Label;
using ui::Rect;

namespace {

using LabelTest = ToolkitTest;

TEST_F(LabelTest, TextTooWideShrinksToTheWidthButNotBelowTheMinimumScale) {
    auto label = rt::make<Label>(Rect(0, 0, 1000, 12));
    label->setFont(Font::systemFontOfSize(11));
    label->setText("Custom toggles");
    label->setMinimumScaleFactor(0.5);
    EXPECT_DOUBLE_EQ(label->displayedFontSize(), 11);  // not asked to fit yet

    label->setAdjustsFontSizeToFitWidth(true);
    EXPECT_DOUBLE_EQ(label->displayedFontSize(), 11);  // fits as it is
    const double natural = label->displayedTextWidth();

    label->setFrame(Rect(0, 0, natural * 0.75, 12));
    EXPECT_NEAR(label->displayedFontSize(), 11 * 0.75, 1e-9);
    EXPECT_NEAR(label->displayedTextWidth(), natural * 0.75, 1e-9);

    label->setFrame(Rect(0, 0, natural * 0.2, 12));
    EXPECT_DOUBLE_EQ(label->displayedFontSize(), 5.5);  // half size at most
}

TEST_F(LabelTest, DefaultsAndResets) {
    auto label = rt::make<Label>();
    EXPECT_DOUBLE_EQ(label->font()->pointSize(), 17);
    EXPECT_FALSE(label->font()->isBold());
    EXPECT_TRUE(label->textColor()->isEqual(ui::Color::blackColor().get()));
    EXPECT_FALSE(label->isUserInteractionEnabled());
    label->setFont(Font::boldSystemFontOfSize(9));
    EXPECT_TRUE(label->font()->isBold());
    label->setFont(nullptr);
    EXPECT_DOUBLE_EQ(label->font()->pointSize(), 17);
    label->setMinimumScaleFactor(3);
    EXPECT_DOUBLE_EQ(label->minimumScaleFactor(), 1);
    label->setTextAlignment(ui::TextAlignment::Center);
    EXPECT_EQ(static_cast<long>(label->textAlignment()), 1);
}

}  // namespace
