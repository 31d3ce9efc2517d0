// Choosing an entry of the icon menu: the custom entries open their editors in place and
// never reach the host's handler; the app's own items do.
#include <gtest/gtest.h>

#include "MenuTestSupport.h"
#include "tweak/startup/SharedState.h"
#include "ui/Color.h"

using namespace morvane;
using tweak_testing::MenuDriver;

namespace {

class MenuEditorTest : public tweak_testing::MenuTest {};

bool isWhite(const rt::Ref<ui::Color>& color) {
    return rt::send<bool>(color, rt::sel("isEqual:"), ui::Color::whiteColor());
}

}  // namespace

TEST_F(MenuEditorTest, PressingRecordsTheAppAndTheAppsOwnItemStillLaunchesIt) {
    start();
    MenuDriver::declareShortcut(kMaps, "directions", "Directions Home");
    pressAndSettle();
    EXPECT_EQ(SharedState::currentForceTouchedAppBundleId(), kMaps);
    MenuDriver::choose("Directions Home");
    EXPECT_EQ(MenuDriver::launched(), kMaps);
    EXPECT_FALSE(MenuDriver::menuIsOpen());
    // The pressed app stays recorded after its menu closed.
    EXPECT_EQ(SharedState::currentForceTouchedAppBundleId(), kMaps);
}

TEST_F(MenuEditorTest, AChoiceBeforeTheRowsAreRegisteredOpensNothingAndLaunchesNothing) {
    start();
    MenuDriver::press(kMaps);
    MenuDriver::choose("Volume");
    EXPECT_FALSE(openSlider("Volume"));
    EXPECT_TRUE(MenuDriver::menuIsOpen());
    EXPECT_EQ(MenuDriver::launched(), "");
    advance(0.1);
    MenuDriver::choose("Volume");
    EXPECT_TRUE(openSlider("Volume"));
}

TEST_F(MenuEditorTest, SliderOpensAtTheStoredLevelWithTheRemoveButtonOrEmpty) {
    start({{"com.example.maps-volume", 0.3f}});
    pressAndSettle();
    MenuDriver::choose("Volume");
    const rt::Ref<SliderView> volume = openSlider("Volume");
    ASSERT_TRUE(volume);
    EXPECT_FLOAT_EQ(volume->slider()->value(), 0.3f);
    EXPECT_DOUBLE_EQ(volume->removeButton()->alpha(), 1);
    EXPECT_DOUBLE_EQ(volume->percentLabel()->alpha(), 0);
    EXPECT_EQ(volume->percentLabel()->text(), "30%");
    EXPECT_FALSE(isWhite(volume->percentLabel()->textColor())) << "black without a dark mode";
    // Faded in over 0.2 s, above the row.
    EXPECT_DOUBLE_EQ(volume->alpha(), 1);

    MenuDriver::choose("Brightness");
    const rt::Ref<SliderView> brightness = openSlider("Brightness");
    ASSERT_TRUE(brightness);
    EXPECT_FLOAT_EQ(brightness->slider()->value(), 0);
    EXPECT_EQ(brightness->percentLabel()->text(), "-%");
    EXPECT_DOUBLE_EQ(brightness->removeButton()->alpha(), 0);
    EXPECT_DOUBLE_EQ(brightness->percentLabel()->alpha(), 1);
}

TEST_F(MenuEditorTest, TheSliderIsTenPointsWiderThanTheContentAndTheTogglesExactlyAsWide) {
    start();
    pressAndSettle();
    MenuDriver::choose("Volume");
    const ui::Rect volumeContent =
        rt::send<ui::Rect>(MenuDriver::row("Volume"), rt::sel("getContentFrame"));
    const ui::Rect slider = openSlider("Volume")->frame();
    EXPECT_EQ(slider, ui::Rect(volumeContent.x(), volumeContent.y(), volumeContent.width() + 10,
                               volumeContent.height()));
    EXPECT_EQ(MenuDriver::editorFrame(), slider);

    MenuDriver::choose("Toggles");
    const ui::Rect togglesContent =
        rt::send<ui::Rect>(MenuDriver::row("Toggles"), rt::sel("getContentFrame"));
    EXPECT_EQ(openToggles("Toggles")->frame(), togglesContent);
}

TEST_F(MenuEditorTest, TogglesEditorShowsTheOfferedSwitchesAndStatesEveryButton) {
    start({{"com.example.maps-toggles", core::PlistDictionary{{"vpn", 0}, {"wifi", 1}}}});
    pressAndSettle();
    MenuDriver::choose("Toggles");
    const rt::Ref<TogglesView> editor = openToggles("Toggles");
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->togglesStackView()->arrangedSubviews().size(), 6u);
    EXPECT_EQ(editor->toggleButton("wifi")->currentState(), 1);
    EXPECT_EQ(editor->toggleButton("bluetooth")->currentState(), -1);
    // Not offered, yet wired and given its stored state.
    EXPECT_FALSE(editor->toggleButton("vpn")->superview());
    EXPECT_EQ(editor->toggleButton("vpn")->currentState(), 0);
    EXPECT_FALSE(
        editor->toggleButton("vpn")
            ->actionsForTarget(MenuDriver::row("Toggles").get(), ui::ControlEvents::kTouchUpInside)
            .empty());
}

TEST_F(MenuEditorTest, InADarkAppearanceTheEditorsElementsAreWhite) {
    start();
    MenuDriver::setAppearance("dune");
    pressAndSettle();
    MenuDriver::choose("Volume");
    EXPECT_TRUE(isWhite(openSlider("Volume")->percentLabel()->textColor()));
    MenuDriver::choose("Toggles");
    EXPECT_TRUE(isWhite(openToggles("Toggles")->uiColor()));
}

TEST_F(MenuEditorTest, ChoosingAnOpenRowClosesItsEditorAfterTheFadeAndAThirdChoiceReopens) {
    start({{"com.example.maps-brightness", 0.4f}});
    pressAndSettle();
    MenuDriver::choose("Brightness");
    const rt::Ref<SliderView> first = openSlider("Brightness");
    ASSERT_TRUE(first);
    MenuDriver::choose("Brightness");
    EXPECT_FALSE(rt::send<bool>(MenuDriver::row("Brightness"), rt::sel("isHighlighted")));
    advance(0.19);
    EXPECT_EQ(openSlider("Brightness").get(), first.get()) << "cleared only when the fade ends";
    // A choice during the fade-out closes again and opens nothing.
    MenuDriver::choose("Brightness");
    advance(0.01);
    EXPECT_FALSE(openSlider("Brightness"));
    EXPECT_FALSE(first->superview());
    advance(0.2);
    writeValuesFile({{"com.example.maps-brightness", 0.9f}});
    postReloadAndWait();
    MenuDriver::choose("Brightness");
    ASSERT_TRUE(openSlider("Brightness"));
    EXPECT_NE(openSlider("Brightness").get(), first.get());
    EXPECT_FLOAT_EQ(openSlider("Brightness")->slider()->value(), 0.9f);
}
