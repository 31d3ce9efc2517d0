#include <string>
#include <vector>

#include "HomeScreenFixture.h"
#include "core/dispatch/Clock.h"
#include "rt/Hook.h"
#include "springboard/DeclaredShortcuts.h"
#include "springboard/IconMenu.h"
#include "springboard/MenuAppearance.h"
#include "springboard/HomeScreen.h"
#include "springboard/MenuGeometry.h"
#include "springboard/SBSApplicationShortcutItem.h"
#include "springboard/SBUIActionView.h"
#include "springboard/SBUIAppIconForceTouchControllerDataProvider.h"
#include "springboard/SBUIAppIconForceTouchShortcutViewController.h"
#include "springboard/SBUILegibilityLabel.h"
#include "ui/Button.h"
#include "ui/Filter.h"
#include "ui/Layer.h"

using springboard::IconMenu;
using springboard::MenuAppearance;
using springboard::MenuGeometry;
using springboard::SBUIActionView;

namespace {

constexpr const char* kMaps = "com.apple.Maps";

// What the hooks below saw, in order (one test at a time).
std::vector<std::string> gCalls;

std::string titleOfRow(rt::Object* row) {
    auto* view = rt::cast<SBUIActionView>(row);
    return view && view->titleLabel() ? view->titleLabel()->text() : "?";
}

springboard::ShortcutItemList recordItems(rt::Object* self, rt::Selector cmd) {
    gCalls.push_back("applicationShortcutItems");
    return rt::original<&recordItems>(self, cmd);
}
rt::Ref<rt::Object> recordInitAction(rt::Object* self, rt::Selector cmd, const std::string& title,
                                     const std::string& subtitle, rt::Object* image,
                                     rt::Object* badge, rt::Object* handler) {
    gCalls.push_back("action " + title);
    return rt::original<&recordInitAction>(self, cmd, title, subtitle, image, badge, handler);
}
rt::Ref<rt::Object> recordInitRow(rt::Object* self, rt::Selector cmd, rt::Object* action) {
    rt::Ref<rt::Object> row = rt::original<&recordInitRow>(self, cmd, action);
    gCalls.push_back("row " + titleOfRow(row.get()));
    return row;
}
void recordLoadView(rt::Object* self, rt::Selector cmd) {
    gCalls.push_back("loadView");
    rt::original<&recordLoadView>(self, cmd);
}
void recordRowLayout(rt::Object* self, rt::Selector cmd) {
    gCalls.push_back("layout " + titleOfRow(self));
    rt::original<&recordRowLayout>(self, cmd);
}
void recordDidLayout(rt::Object* self, rt::Selector cmd) {
    gCalls.push_back("viewDidLayoutSubviews");
    rt::original<&recordDidLayout>(self, cmd);
}
void recordWillDisappear(rt::Object* self, rt::Selector cmd, bool animated) {
    gCalls.push_back("viewWillDisappear");
    rt::original<&recordWillDisappear>(self, cmd, animated);
}
void recordActivate(rt::Object* self, rt::Selector cmd, rt::Object* menu, rt::Object* item) {
    gCalls.push_back("activate " + rt::send<std::string>(item, rt::sel("type")));
    rt::original<&recordActivate>(self, cmd, menu, item);
}

class IconMenuTest : public HomeScreenTest {
  protected:
    void SetUp() override {
        HomeScreenTest::SetUp();
        gCalls.clear();
        springboard::HomeScreen::installApp(kMaps);
        springboard::DeclaredShortcuts::declare(kMaps,
                                                {"com.apple.Maps.directions", "Directions Home"});
        springboard::DeclaredShortcuts::declare(kMaps, {"com.apple.Maps.share", "Share Location"});
    }

    void hookEverything() {
        auto cls = [](const char* name) { return rt::lookUpClass(name); };
        ASSERT_TRUE(rt::hook<&recordItems>(cls("SBUIAppIconForceTouchControllerDataProvider"),
                                           "applicationShortcutItems"));
        ASSERT_TRUE(rt::hook<&recordInitAction>(cls("SBUIAction"),
                                                "initWithTitle:subtitle:image:badgeView:handler:"));
        ASSERT_TRUE(rt::hook<&recordInitRow>(cls("SBUIActionView"), "initWithAction:"));
        ASSERT_TRUE(rt::hook<&recordRowLayout>(cls("SBUIActionView"), "layoutSubviews"));
        const char* menu = "SBUIAppIconForceTouchShortcutViewController";
        ASSERT_TRUE(rt::hook<&recordLoadView>(cls(menu), "loadView"));
        ASSERT_TRUE(rt::hook<&recordDidLayout>(cls(menu), "viewDidLayoutSubviews"));
        ASSERT_TRUE(rt::hook<&recordWillDisappear>(cls(menu), "viewWillDisappear:"));
        ASSERT_TRUE(rt::hook<&recordActivate>(
            cls("SBUIAppIconForceTouchController"),
            "appIconForceTouchShortcutViewController:activateApplicationShortcutItem:"));
    }

    static std::vector<rt::Ref<SBUIActionView>> rows() {
        return IconMenu::shortcutViewController()->rows();
    }
    // The middle of a row's icon, in the screen's coordinates.
    static ui::Point iconOf(const rt::Ref<SBUIActionView>& row) {
        const ui::Rect frame = row->imageView()->frame();
        return row->imageView()->superview()->convertPointToView(
            {frame.x() + frame.width() / 2, frame.y() + frame.height() / 2}, nullptr);
    }
    static std::vector<std::string> filterNames(const ui::View* view) {
        std::vector<std::string> names;
        for (const auto& filter : view->layer()->filters())
            names.push_back(rt::cast<ui::Filter>(filter.get())->name());
        return names;
    }
};

TEST_F(IconMenuTest, APressMakesTheHostsCallsInOrderThroughTheRuntime) {
    hookEverything();
    IconMenu::press(kMaps);
    EXPECT_EQ(gCalls,
              (std::vector<std::string>{"applicationShortcutItems", "action Directions Home",
                                        "action Share Location", "row Directions Home",
                                        "row Share Location", "loadView", "layout Directions Home",
                                        "layout Share Location", "viewDidLayoutSubviews"}));
    EXPECT_TRUE(IconMenu::isOpen());
    EXPECT_EQ(IconMenu::lastItemTitles(),
              (std::vector<std::string>{"Directions Home", "Share Location"}));

    // The menu laid out anew at the end of a turn: the rows again, then the controller.
    gCalls.clear();
    IconMenu::shortcutViewController()->view()->setNeedsLayout();
    EXPECT_TRUE(gCalls.empty());
    core::Clock::runPending();
    EXPECT_EQ(gCalls, (std::vector<std::string>{"layout Directions Home", "layout Share Location",
                                                "viewDidLayoutSubviews"}));
}

// A replacement of the item list decides what the menu shows.
springboard::ShortcutItemList itemsWithVolume(rt::Object* self, rt::Selector cmd) {
    springboard::ShortcutItemList items = rt::original<&itemsWithVolume>(self, cmd);
    auto item = rt::make<springboard::SBSApplicationShortcutItem>();
    item->setLocalizedTitle("Volume");
    item->setLocalizedSubtitle("Set custom volume");
    item->setType("CustomVolumeItem");
    items.push_back(item);
    return items;
}

TEST_F(IconMenuTest, TheRowsFollowTheListTheProviderAnswers) {
    ASSERT_TRUE(
        rt::hook<&itemsWithVolume>(rt::lookUpClass("SBUIAppIconForceTouchControllerDataProvider"),
                                   "applicationShortcutItems"));
    IconMenu::press(kMaps);
    const auto menuRows = rows();
    ASSERT_EQ(menuRows.size(), 3u);
    EXPECT_EQ(menuRows[2]->titleLabel()->text(), "Volume");
    EXPECT_EQ(menuRows[2]->subtitleLabel()->text(), "Set custom volume");
    // Rows are stacked in list order inside the controller's view.
    for (std::size_t i = 0; i < menuRows.size(); ++i) {
        EXPECT_EQ(menuRows[i]->superview(), IconMenu::shortcutViewController()->view());
        EXPECT_EQ(menuRows[i]->frame(),
                  ui::Rect(0, MenuGeometry::kRowHeight * static_cast<double>(i),
                           MenuGeometry::kMenuWidth, MenuGeometry::kRowHeight));
    }
}

TEST_F(IconMenuTest, TappingARowReportsItsItemAndTheHostLaunchesTheApp) {
    hookEverything();
    IconMenu::press(kMaps);
    const auto row = rows()[1];
    gCalls.clear();
    EXPECT_EQ(IconMenu::tap(iconOf(row)), row);
    EXPECT_EQ(gCalls,
              (std::vector<std::string>{"activate com.apple.Maps.share", "viewWillDisappear"}));
    EXPECT_FALSE(IconMenu::isOpen());
    EXPECT_EQ(row->superview(), nullptr);
    EXPECT_EQ(IconMenu::lastLaunched(), kMaps);
    EXPECT_EQ(phone().timeline().entries().back().text,
              std::string(kMaps) + ": running, foreground (home screen)");
}

TEST_F(IconMenuTest, ATapOutsideClosesTheMenuAndReportsNothing) {
    hookEverything();
    IconMenu::press(kMaps);
    rt::Ref<ui::View> menuView = IconMenu::shortcutViewController()->view();
    gCalls.clear();
    EXPECT_EQ(IconMenu::tap({5, 5}), nullptr);
    EXPECT_EQ(gCalls, (std::vector<std::string>{"viewWillDisappear"}));
    EXPECT_FALSE(IconMenu::isOpen());
    EXPECT_EQ(menuView->superview(), nullptr);
    EXPECT_EQ(IconMenu::lastLaunched(), "");
}

TEST_F(IconMenuTest, AViewLaidOverARowTakesTheTouchesOnIt) {
    hookEverything();
    IconMenu::press(kMaps);
    const auto row = rows()[0];
    auto editor = rt::make<ui::Button>();
    editor->setFrame(row->frame());
    IconMenu::shortcutViewController()->view()->addSubview(editor.get());
    gCalls.clear();
    EXPECT_EQ(IconMenu::tap(iconOf(row)), editor);
    EXPECT_TRUE(gCalls.empty());
    EXPECT_TRUE(IconMenu::isOpen());
    // Where nothing visible covers the row, the row takes the tap again.
    editor->setHidden(true);
    EXPECT_EQ(IconMenu::tap(iconOf(row)), row);
}

TEST_F(IconMenuTest, PressingAgainClosesTheOpenMenuFirst) {
    hookEverything();
    IconMenu::press(kMaps);
    gCalls.clear();
    IconMenu::press(kMaps);
    ASSERT_FALSE(gCalls.empty());
    EXPECT_EQ(gCalls.front(), "viewWillDisappear");
    EXPECT_THROW(IconMenu::press("com.example.NotInstalled"), std::invalid_argument);
}

TEST_F(IconMenuTest, RowsHighlightWhileTouchedAndAnswerSetHighlighted) {
    IconMenu::press(kMaps);
    const auto row = rows()[0];
    IconMenu::touchDown(iconOf(row));
    EXPECT_TRUE(row->isHighlighted());
    IconMenu::touchCancel();
    EXPECT_FALSE(row->isHighlighted());
    rt::send<void>(row, rt::sel("setHighlighted:"), true);
    EXPECT_TRUE(rt::send<bool>(row, rt::sel("isHighlighted")));
}

TEST_F(IconMenuTest, AppearancesMarkTheLabelsAsEachAddOnDoes) {
    const rt::Selector darkMode = rt::sel("isDarkModeEnabled");
    IconMenu::press(kMaps);
    ui::View* text = rows()[0]->titleLabel()->label().get();
    EXPECT_EQ(filterNames(text), std::vector<std::string>{MenuAppearance::kVibrancyFilterName});
    EXPECT_TRUE(filterNames(rows()[0].get()).empty());
    EXPECT_FALSE(rt::respondsToSelector(text->layer(), darkMode));

    MenuAppearance::set(MenuAppearance::Kind::Dune);
    IconMenu::press(kMaps);
    text = rows()[0]->titleLabel()->label().get();
    EXPECT_TRUE(filterNames(text).empty());
    EXPECT_TRUE(filterNames(rows()[0]->subtitleLabel().get()).empty());

    MenuAppearance::set(MenuAppearance::Kind::Noctis);
    IconMenu::press(kMaps);
    text = rows()[0]->titleLabel()->label().get();
    EXPECT_EQ(filterNames(text).size(), 1u);
    EXPECT_TRUE(rt::send<bool>(text->layer(), darkMode));
    EXPECT_FALSE(rt::send<bool>(rows()[0]->layer(), darkMode));

    MenuAppearance::set(MenuAppearance::Kind::Carbon);
    IconMenu::press(kMaps);
    text = rows()[0]->titleLabel()->label().get();
    EXPECT_EQ(filterNames(text).size(), 1u);
    EXPECT_FALSE(rt::send<bool>(text->layer(), darkMode));
    EXPECT_EQ(filterNames(rows()[0].get()), std::vector<std::string>{"colorInvert"});
}

TEST_F(IconMenuTest, LegibilityTreatedLabelsExistOnlyAfter11_4_1) {
    phone().setSystemVersion("11.4.1");
    IconMenu::press(kMaps);
    EXPECT_FALSE(rt::hasField(rows()[0].get(), "_legibilityTreatedSubtitleLabel"));
    EXPECT_FALSE(rt::hasField(rows()[0].get(), "_legibilityTreatedTitleLabel"));
    EXPECT_NE(rt::getField(rows()[0].get(), "_subtitleLabel"), nullptr);

    phone().setSystemVersion("9.3");  // older, though it sorts later as text
    IconMenu::press(kMaps);
    EXPECT_FALSE(rt::hasField(rows()[0].get(), "_legibilityTreatedTitleLabel"));

    phone().setSystemVersion("11.4.2");
    IconMenu::press(kMaps);
    EXPECT_TRUE(rt::hasField(rows()[0].get(), "_legibilityTreatedSubtitleLabel"));
    auto* legible =
        rt::cast<ui::Label>(rt::getField(rows()[0].get(), "_legibilityTreatedTitleLabel"));
    ASSERT_NE(legible, nullptr);
    EXPECT_EQ(legible->text(), "Directions Home");
    EXPECT_DOUBLE_EQ(legible->alpha(), 0.35);

    phone().setSystemVersion("11.4.1");  // back to a system without them
    IconMenu::press(kMaps);
    EXPECT_FALSE(rt::hasField(rows()[0].get(), "_legibilityTreatedSubtitleLabel"));
    auto* title = rt::getField(rows()[0].get(), "_titleLabel");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(rt::cast<ui::Label>(rt::getField(title, "_label"))->text(), "Directions Home");
}

TEST_F(IconMenuTest, RightToLeftMirrorsTheMenuAndItsRows) {
    IconMenu::press(kMaps);
    const ui::Rect leftToRightContainer = rows()[0]->titleContainer()->frame();
    EXPECT_EQ(leftToRightContainer.x(), MenuGeometry::kRowInset);
    EXPECT_EQ(rows()[0]->imageView()->frame().x(),
              MenuGeometry::kMenuWidth - MenuGeometry::kRowInset - MenuGeometry::kIconSize);

    phone().setLayoutDirection(device::LayoutDirection::RightToLeft);
    IconMenu::press(kMaps);
    EXPECT_EQ(rows()[0]->imageView()->frame().x(), MenuGeometry::kRowInset);
    EXPECT_EQ(rows()[0]->titleContainer()->frame().x(),
              MenuGeometry::kRowInset + MenuGeometry::kIconSize + MenuGeometry::kIconGap);
    EXPECT_EQ(rows()[0]->titleContainer()->frame().width(), leftToRightContainer.width());
    // The first app's icon is at the right now: the menu stands in line with its right edge.
    const auto icon = springboard::HomeScreen::iconFrame(kMaps);
    ASSERT_TRUE(icon);
    EXPECT_GT(icon->minX(), 375 / 2.0);
    EXPECT_EQ(IconMenu::shortcutViewController()->view()->frame().maxX(), icon->maxX());
}

}  // namespace
