// The menu's rows and controller as the library extends them: the registry of the controller
// on screen, each row's setup 0.1 s after it is made (dark-mode detection, registration, the
// row of enabled toggles) and the content operations the editors use.
#include <gtest/gtest.h>

#include "MenuTestSupport.h"
#include "rt/Fields.h"
#include "tweak/menu/ActionViewSetup.h"
#include "tweak/menu/HostMenuObjects.h"
#include "tweak/startup/SharedState.h"
#include "ui/Filter.h"

using namespace morvane;
using tweak_testing::MenuDriver;

namespace {

class MenuRowTest : public tweak_testing::MenuTest {};

ui::Label* subtitleLabel(const std::string& title) {
    return HostMenuObjects::subtitleLabel(MenuDriver::row(title).get());
}

}  // namespace

TEST_F(MenuRowTest, TheControllerIsCurrentFromItsLayoutPassUntilItIsAboutToDisappear) {
    start();
    EXPECT_FALSE(MenuControllerRegistry::getInstance());
    MenuDriver::press(kMaps);
    const rt::Ref<rt::Object> first = MenuControllerRegistry::getInstance();
    ASSERT_TRUE(first);
    EXPECT_EQ(first.get(), MenuDriver::controller().get());
    EXPECT_EQ(rt::send<rt::Ref<rt::Object>>(first->getClass(), rt::sel("getInstance")).get(),
              first.get());
    MenuDriver::dismiss();
    EXPECT_FALSE(MenuControllerRegistry::getInstance());

    // A later menu's pass makes its own controller current.
    MenuDriver::press(kMaps);
    EXPECT_TRUE(MenuControllerRegistry::getInstance());
    EXPECT_NE(MenuControllerRegistry::getInstance().get(), first.get());
}

TEST_F(MenuRowTest, RowsRegisterWithTheirMenuOnlyOneTenthOfASecondAfterTheyAreMade) {
    start({{"com.example.maps-toggles", core::PlistDictionary{{"wifi", 1}}}});
    MenuDriver::press(kMaps);
    const rt::Ref<rt::Object> controller = MenuDriver::controller();
    advance(0.099);
    EXPECT_FALSE(MenuControllerRegistry::property(controller.get(), "volumeActionView"));
    EXPECT_FALSE(enabledToggles());
    advance(0.001);
    EXPECT_EQ(MenuControllerRegistry::property(controller.get(), "volumeActionView").get(),
              MenuDriver::row("Volume").get());
    EXPECT_EQ(MenuControllerRegistry::property(controller.get(), "brightnessActionView").get(),
              MenuDriver::row("Brightness").get());
    EXPECT_EQ(MenuControllerRegistry::property(controller.get(), "togglesActionView").get(),
              MenuDriver::row("Toggles").get());
    // A fresh row has no editor.
    EXPECT_FALSE(openSlider("Volume"));
    EXPECT_FALSE(openToggles("Toggles"));
}

TEST_F(MenuRowTest, DarkModeIsDetectedInOrderAndTheLastRowMadeDecides) {
    start();
    pressAndSettle();
    EXPECT_FALSE(SharedState::darkModeEnabled()) << "stock labels carry the vibrancy filter";
    EXPECT_FALSE(SharedState::darkModeTweakName());

    const rt::Ref<rt::Object> row = MenuDriver::row("Volume");
    ui::Label* text = HostMenuObjects::titleTextLabel(row.get());
    ASSERT_TRUE(text);
    const auto stockFilters = text->layer()->filters();
    // The row's own layer says "carbon", but the label's empty filter list comes first.
    rt::cast<ui::View>(row.get())->layer()->setFilters({ui::Filter::filterWithName("colorInvert")});
    text->layer()->setFilters({});
    EXPECT_EQ(ActionViewSetup::detectDarkMode(row.get()), "dune");
    text->layer()->setFilters(stockFilters);
    EXPECT_EQ(ActionViewSetup::detectDarkMode(row.get()), "carbon");
    rt::cast<ui::View>(row.get())->layer()->setFilters(
        {ui::Filter::filterWithName("gaussianBlur")});
    EXPECT_EQ(ActionViewSetup::detectDarkMode(row.get()), std::nullopt);

    MenuDriver::dismiss();
    MenuDriver::setAppearance("dune");
    pressAndSettle();
    EXPECT_TRUE(SharedState::darkModeEnabled());
    EXPECT_EQ(SharedState::darkModeTweakName(), "dune");
    MenuDriver::dismiss();
    MenuDriver::setAppearance("stock");
    pressAndSettle();
    EXPECT_FALSE(SharedState::darkModeEnabled());
    EXPECT_FALSE(SharedState::darkModeTweakName());
}

TEST_F(MenuRowTest, EnabledTogglesRowShowsTheStoredTogglesInTheSubtitleLine) {
    start({{"com.example.maps-toggles",
            core::PlistDictionary{{"wifi", 1}, {"bluetooth", 0}, {"vpn", 1}}}});
    pressAndSettle();
    const rt::Ref<TogglesView> row = enabledToggles();
    ASSERT_TRUE(row);
    EXPECT_DOUBLE_EQ(row->alpha(), 0.8);
    ui::Label* subtitle = subtitleLabel("Toggles");
    const ui::Rect line = subtitle->superview()->frame();
    const double h = subtitle->frame().height();
    EXPECT_EQ(row->frame(),
              ui::Rect(line.x() + 2, line.y() + 2, std::min((h + 6) * 3, line.width()), h - 2));
    const auto arranged = row->togglesStackView()->arrangedSubviews();
    ASSERT_EQ(arranged.size(), 3u);
    EXPECT_EQ(rt::cast<ToggleButton>(arranged[0].get())->toggleName(), "wifi");
    EXPECT_EQ(rt::cast<ToggleButton>(arranged[0].get())->currentState(), 1);
    EXPECT_EQ(rt::cast<ToggleButton>(arranged[1].get())->currentState(), 0);
    EXPECT_TRUE(row->isDescendantOf(rt::cast<ui::View>(MenuDriver::row("Toggles").get())));
}

TEST_F(MenuRowTest, NoStoredTogglesGiveAZeroWidthRowWithoutButtons) {
    start({{"com.example.maps-toggles", core::PlistDictionary{}}});
    pressAndSettle();
    const rt::Ref<TogglesView> row = enabledToggles();
    ASSERT_TRUE(row);
    EXPECT_DOUBLE_EQ(row->frame().width(), 0);
    EXPECT_TRUE(row->togglesStackView()->arrangedSubviews().empty());
    EXPECT_EQ(subtitleLabel("Toggles")->text(), "Set custom toggles");
}

TEST_F(MenuRowTest, RightToLeftRowsAlignTheEnabledTogglesRight) {
    device::DeviceConfiguration rtl;
    rtl.layoutDirection = device::LayoutDirection::RightToLeft;
    start({{"com.example.maps-toggles", core::PlistDictionary{{"wifi", 1}}}}, rtl);
    pressAndSettle();
    const ui::Rect line = subtitleLabel("Toggles")->superview()->frame();
    const ui::Rect frame = enabledToggles()->frame();
    EXPECT_DOUBLE_EQ(frame.maxX(), line.maxX());
    EXPECT_GT(frame.width(), 0);
}

TEST_F(MenuRowTest, HidingTheContentFadesItOutAndShowingItBringsTheAlphasBack) {
    start({{"com.example.maps-toggles", core::PlistDictionary{{"wifi", 1}}}});
    pressAndSettle();
    const rt::Ref<rt::Object> row = MenuDriver::row("Toggles");
    ui::View* title = HostMenuObjects::titleLabel(row.get());
    ui::View* legible = HostMenuObjects::legibilityTreatedSubtitleLabel(row.get());
    ASSERT_TRUE(legible) << "systems newer than 11.4.1 have legibility-treated labels";
    rt::send<void>(row, rt::sel("hideAllContent:"), true);
    EXPECT_DOUBLE_EQ(title->alpha(), 0);
    EXPECT_FALSE(title->isHidden()) << "hidden only once the fade has ended";
    advance(0.2);
    EXPECT_TRUE(title->isHidden());
    EXPECT_TRUE(enabledToggles()->isHidden());
    rt::send<void>(row, rt::sel("hideAllContent:"), false);
    EXPECT_FALSE(title->isHidden());
    EXPECT_DOUBLE_EQ(title->alpha(), 1);
    EXPECT_DOUBLE_EQ(subtitleLabel("Toggles")->alpha(), 1);
    EXPECT_DOUBLE_EQ(enabledToggles()->alpha(), 0.8);
    EXPECT_DOUBLE_EQ(legible->alpha(), 0.35);
    EXPECT_DOUBLE_EQ(HostMenuObjects::legibilityTreatedTitleLabel(row.get())->alpha(), 0.35);
    advance(0.2);
    EXPECT_FALSE(title->isHidden()) << "shown content stays shown once the fade ends";
}

TEST_F(MenuRowTest, CustomSubtitleReachesTheLegibilityTreatedLabelOnlyAbove11_4_1) {
    device::DeviceConfiguration old;
    old.systemVersion = "11.4.1";
    start({}, old);
    pressAndSettle();
    const rt::Ref<rt::Object> row = MenuDriver::row("Volume");
    EXPECT_FALSE(HostMenuObjects::legibilityTreatedSubtitleLabel(row.get()));
    rt::send<void>(row, rt::sel("setCustomSubtitle:"), "Custom value: 10%");
    EXPECT_EQ(subtitleLabel("Volume")->text(), "Custom value: 10%");
    rt::send<void>(row, rt::sel("hideAllContent:"), true);  // no legibility labels: no failure
    advance(0.2);
    EXPECT_TRUE(HostMenuObjects::titleLabel(row.get())->isHidden());
}

TEST_F(MenuRowTest, CustomSubtitleChangesBothSubtitlesOnNewerSystems) {
    device::DeviceConfiguration newer;
    newer.systemVersion = "12.0";
    start({}, newer);
    pressAndSettle();
    const rt::Ref<rt::Object> row = MenuDriver::row("Volume");
    rt::send<void>(row, rt::sel("setCustomSubtitle:"), "Custom value: 10%");
    EXPECT_EQ(subtitleLabel("Volume")->text(), "Custom value: 10%");
    ui::Label* legible =
        HostMenuObjects::textLabelOf(HostMenuObjects::legibilityTreatedSubtitleLabel(row.get()));
    ASSERT_TRUE(legible);
    EXPECT_EQ(legible->text(), "Custom value: 10%");
}

TEST_F(MenuRowTest, ContentFrameIsTheTitleContainersColumnOverTheRowsHeight) {
    start();
    pressAndSettle();
    const rt::Ref<rt::Object> row = MenuDriver::row("Brightness");
    const ui::Rect container = HostMenuObjects::titleLabel(row.get())->superview()->frame();
    const ui::Rect own = rt::cast<ui::View>(row.get())->frame();
    EXPECT_EQ(rt::send<ui::Rect>(row, rt::sel("getContentFrame")),
              ui::Rect(container.x(), own.y(), container.width(), own.height()));
    EXPECT_GT(own.y(), 0) << "not the first row";
}
