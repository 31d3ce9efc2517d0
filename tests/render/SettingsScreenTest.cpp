// The Settings app's look: switches, the navigation bar and pages pushed on a stack.
#include <gtest/gtest.h>

#include "PictureProbe.h"
#include "RenderWorld.h"
#include "core/plist/PlistDictionary.h"
#include "render/SettingsScreen.h"
#include "render/SwitchPainter.h"
#include "rt/Make.h"
#include "settings/PSSpecifier.h"
#include "settings/PSTableCell.h"
#include "settings/Registration.h"
#include "ui/AlertController.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/Switch.h"
#include "ui/ViewController.h"

namespace {

using render::Picture;
using render::Pixel;

constexpr double kScale = 2;

Pixel at(const Picture& picture, double xPoints, double yPoints) {
    return picture.pixel(static_cast<int>(xPoints * kScale), static_cast<int>(yPoints * kScale));
}

bool isPureRed(const Pixel& pixel) {
    return pixel.red > 200 && pixel.green < 40 && pixel.blue < 40 && pixel.alpha > 200;
}

class SettingsScreenTest : public ::testing::Test {
  protected:
    SettingsScreenTest() { settings::registerClasses(); }
    render_testing::RenderWorld world;
};

// The track beside the knob: left of it while on, right of it while off.
TEST_F(SettingsScreenTest, SwitchShowsItsOnColourOnlyWhileOn) {
    auto control = rt::make<ui::Switch>();
    control->setOnTintColor(ui::Color::colorWithRed(1, 0, 0, 1));
    const render::ViewRenderer renderer = render::SettingsScreen::renderer();

    control->setOn(true);
    const Picture on = renderer.render(control.get(), kScale);
    EXPECT_TRUE(isPureRed(at(on, 8, ui::Switch::kHeight / 2)));
    EXPECT_TRUE(isPureRed(at(on, 3, ui::Switch::kHeight / 2)));
    // The knob itself is white, at the trailing end.
    const Pixel knob =
        at(on, render::SwitchPainter::knobCenterX(*control), ui::Switch::kHeight / 2);
    EXPECT_GT(knob.luma(), 240);

    control->setOn(false);
    const Picture off = renderer.render(control.get(), kScale);
    for (int y = 0; y < off.pixelHeight(); ++y)
        for (int x = 0; x < off.pixelWidth(); ++x)
            ASSERT_FALSE(isPureRed(off.pixel(x, y))) << x << "," << y;
    EXPECT_GT(at(off, ui::Switch::kWidth - 8, ui::Switch::kHeight / 2).luma(), 240);
}

TEST_F(SettingsScreenTest, SwitchWithoutOnTintTakesTheTint) {
    auto control = rt::make<ui::Switch>();
    control->setTintColor(ui::Color::colorWithRed(1, 0, 0, 1));
    control->setOn(true);
    const Picture on = render::SettingsScreen::renderer().render(control.get(), kScale);
    EXPECT_TRUE(isPureRed(at(on, 8, ui::Switch::kHeight / 2)));
}

// A row that opens a page shows the chevron at its trailing edge, vertically centred; other
// rows show none, nor does a row whose accessory view takes that place.
TEST_F(SettingsScreenTest, OnlyRowsThatOpenAPageShowTheChevron) {
    constexpr double kWidth = 375;
    auto chevron = [&](settings::PSCellType type, bool withAccessoryView) {
        auto row = rt::make<settings::PSSpecifier>("", type, core::PlistDictionary());
        auto cell = rt::make<settings::PSTableCell>(row.get());
        cell->setFrame(ui::Rect(0, 0, kWidth, ui::TableViewCell::kDefaultHeight));
        cell->refreshCellContentsWithSpecifier(row.get());
        if (withAccessoryView) cell->setAccessoryView(rt::make<ui::View>());
        const Picture picture = render::SettingsScreen::renderer().render(cell.get(), kScale);
        return render_testing::PictureProbe(picture).inkBox(
            [](const Pixel& pixel) { return pixel.alpha > 24 && pixel.luma() < 230; });
    };
    for (auto type : {settings::PSCellType::Link, settings::PSCellType::LinkList}) {
        const auto mark = chevron(type, false);
        ASSERT_TRUE(mark);
        EXPECT_GT(mark->minX(), kWidth - 40);
        EXPECT_NEAR(mark->midY(), ui::TableViewCell::kDefaultHeight / 2, 1);
        EXPECT_FALSE(chevron(type, true));
    }
    EXPECT_FALSE(chevron(settings::PSCellType::Button, false));
    EXPECT_FALSE(chevron(settings::PSCellType::Group, false));
}

// The bar's colour fills the bar and reaches up under the status bar; the title is drawn.
TEST_F(SettingsScreenTest, NavigationBarTakesItsBarTint) {
    auto screen = rt::make<ui::View>(ui::Rect(0, 0, 375, 667));
    auto bar = rt::make<ui::NavigationBar>();
    bar->setFrame(ui::Rect(0, 20, 375, ui::NavigationBar::kHeight));
    bar->setBarTintColor(ui::Color::colorWithRed(0, 0, 1, 1));
    auto item = rt::make<ui::NavigationItem>();
    item->setTitle("Morvane");
    bar->showItem(item);
    screen->addSubview(bar.get());
    const Picture picture = render::SettingsScreen::picture(screen.get());

    const Pixel inBar = at(picture, 10, 40);
    EXPECT_EQ(inBar.blue, 255);
    EXPECT_EQ(inBar.red, 0);
    const Pixel underStatusBar = at(picture, 10, 5);
    EXPECT_EQ(underStatusBar.blue, 255);
    EXPECT_EQ(underStatusBar.red, 0);
    EXPECT_GT(at(picture, 10, 100).luma(), 250);  // below the bar: the white screen
    int titleInk = 0;
    for (double x = 150; x < 225; x += 0.5)
        if (at(picture, x, 42).luma() < 60 && at(picture, x, 42).blue < 128) ++titleInk;
    EXPECT_GT(titleInk, 0);
}

// A page with a red row at y 300 (on the screen at 300: a page reaches under the bar, as on
// the phone) and an empty page pushed over it.
TEST_F(SettingsScreenTest, PushedPageCoversTheRowsOfTheRootPage) {
    auto stack = rt::make<settings::NavigationController>();
    auto root = rt::make<ui::ViewController>();
    auto rootView = rt::make<ui::View>(ui::Rect(0, 0, 375, 667));
    auto row = rt::make<ui::View>(ui::Rect(0, 300, 375, 44));
    row->setBackgroundColor(ui::Color::colorWithRed(1, 0, 0, 1));
    rootView->addSubview(row.get());
    root->setView(rootView.get());
    auto sub = rt::make<ui::ViewController>();
    sub->setView(rt::make<ui::View>(ui::Rect(0, 0, 375, 667)).get());
    stack->setRootViewController(root.get());

    const auto rowIsDrawn = [&] {
        return isPureRed(at(render::SettingsScreen::picture(stack->view().get()), 100, 322));
    };
    ASSERT_TRUE(rowIsDrawn());
    stack->pushViewController(sub.get(), false);
    EXPECT_FALSE(rowIsDrawn());
    ASSERT_TRUE(stack->popViewControllerAnimated(false));
    EXPECT_TRUE(rowIsDrawn());
}

}  // namespace

// An alert on screen is drawn over the page: the page dimmed, the platter in the middle with
// its title, and each button's title in its colour where the button is.
TEST_F(SettingsScreenTest, AnAlertIsDrawnOverThePageWithItsTextAndButtons) {
    const auto plain = render::SettingsScreen::picture(nullptr);
    ui::AlertController alert("Respring", "Apply the changes now?",
                              ui::AlertControllerStyle::Alert);
    alert.addAction({"Cancel", ui::AlertActionStyle::Cancel, {}});
    alert.addAction({"Respring", ui::AlertActionStyle::Destructive, {}});
    const auto shown = render::SettingsScreen::picture(nullptr, &alert);
    const render_testing::PictureProbe probe(shown);
    // The page around the alert is dimmed.
    EXPECT_LT(probe.meanLuma(ui::Rect(10, 600, 40, 40)),
              render_testing::PictureProbe(plain).meanLuma(ui::Rect(10, 600, 40, 40)) - 60);
    const auto inkIn = [&](const ui::Rect& area, auto isInk) {
        int found = 0;
        for (double y = area.minY(); y < area.maxY(); y += 0.5)
            for (double x = area.minX(); x < area.maxX(); x += 0.5) found += isInk(probe.at(x, y));
        return found > 20;
    };
    const auto dark = [](const render::Pixel& p) { return p.luma() < 80; };
    const auto blue = [](const render::Pixel& p) { return p.blue > 200 && p.red < 80; };
    const auto red = [](const render::Pixel& p) { return p.red > 200 && p.green < 110; };
    const double middle = 375 / 2.0;
    // Title and message above the buttons, Cancel (blue) at the left, Respring (red) at the right.
    const double top = 667 / 2.0 - (20 + 22 + 36 + 18 + 44) / 2.0;
    EXPECT_TRUE(inkIn(ui::Rect(middle - 100, top + 20, 200, 22), dark));
    EXPECT_TRUE(inkIn(ui::Rect(middle - 120, top + 42, 240, 36), dark));
    const double buttons = top + 96;
    EXPECT_TRUE(inkIn(ui::Rect(middle - 135, buttons, 135, 44), blue));
    EXPECT_FALSE(inkIn(ui::Rect(middle, buttons, 135, 44), blue));
    EXPECT_TRUE(inkIn(ui::Rect(middle, buttons, 135, 44), red));
}
