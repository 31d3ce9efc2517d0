#include <gtest/gtest.h>

#include "tweak/menu/EnabledTogglesRow.h"
#include "tweak/menu/MenuTexts.h"

using namespace morvane;

TEST(MenuTexts, LevelsShowAsWholePercentagesRoundedAsPrintfRounds) {
    EXPECT_EQ(MenuTexts::levelSubtitle(0.5, MenuTexts::kNoVolumeSubtitle), "Custom value: 50%");
    EXPECT_EQ(MenuTexts::levelSubtitle(0.0, MenuTexts::kNoVolumeSubtitle), "Custom value: 0%");
    // Exactly halfway goes to the even neighbour.
    EXPECT_EQ(MenuTexts::levelSubtitle(0.125, MenuTexts::kNoVolumeSubtitle), "Custom value: 12%");
    EXPECT_EQ(MenuTexts::levelSubtitle(-1.0, MenuTexts::kNoVolumeSubtitle), "Set custom volume");
    // Only exactly -1 means none.
    EXPECT_EQ(MenuTexts::levelSubtitle(-0.999, MenuTexts::kNoBrightnessSubtitle),
              "Custom value: -100%");
    // A slider level times 100 in single precision: 0.3f shows 30 %.
    EXPECT_EQ(MenuTexts::savedLevelSubtitle(0.3f), "Custom value: 30%");
    EXPECT_EQ(MenuTexts::percentText(0.42f), "42%");
    EXPECT_EQ(MenuTexts::percentText(1.0f), "100%");
}

TEST(MenuTexts, TogglesSubtitleCountsOrKeepsALineForTheIcons) {
    EXPECT_EQ(MenuTexts::togglesSubtitle(3, true), "Custom toggles: 3");
    EXPECT_EQ(MenuTexts::togglesSubtitle(3, false), " ");
    EXPECT_EQ(MenuTexts::togglesSubtitle(0, true), "Set custom toggles");
    EXPECT_EQ(MenuTexts::togglesSubtitle(0, false), "Set custom toggles");
}

TEST(EnabledTogglesRowGeometry, OneSquareAndSpacingPerStoredToggleCutToTheContainer) {
    const ui::Rect container(16, 30, 250, 20);
    const ui::Rect three = EnabledTogglesRow::frameFor(container, 18, 3, false);
    EXPECT_EQ(three, ui::Rect(18, 32, 72, 16));
    // Right to left: right-aligned in the line.
    EXPECT_EQ(EnabledTogglesRow::frameFor(container, 18, 3, true), ui::Rect(16 + 178, 32, 72, 16));
    const ui::Rect twelve = EnabledTogglesRow::frameFor(ui::Rect(0, 0, 200, 20), 18, 12, false);
    EXPECT_DOUBLE_EQ(twelve.width(), 200);
}

TEST(EnabledTogglesRowGeometry, DegenerateInputsGiveAZeroSizedRowNeverANegativeOne) {
    EXPECT_EQ(EnabledTogglesRow::frameFor(ui::Rect(10, 5, 250, 20), 18, 0, false),
              ui::Rect(12, 7, 0, 16));
    EXPECT_EQ(EnabledTogglesRow::frameFor(ui::Rect(10, 5, 250, 20), 18, 0, true),
              ui::Rect(10 + 2 + 248, 7, 0, 16));
    const ui::Rect noLine = EnabledTogglesRow::frameFor(ui::Rect(0, 0, -5, 0), 0, 4, false);
    EXPECT_GE(noLine.width(), 0);
    EXPECT_GE(noLine.height(), 0);
}
