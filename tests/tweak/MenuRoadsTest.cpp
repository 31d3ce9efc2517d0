// What a person meets in the icon menu in the first minutes: where the enabled toggles sit,
// rows opened and closed quickly, a slider closed before its save came due, a cancelled drag,
// and the percentage a save shows against the one the next press shows.
#include <gtest/gtest.h>

#include "MenuTestSupport.h"
#include "tweak/menu/HostMenuObjects.h"
#include "tweak/menu/MenuTexts.h"

using namespace morvane;
using tweak_testing::MenuDriver;

namespace {

class MenuRoadsTest : public tweak_testing::MenuTest {
  protected:
    // A view's frame in the coordinates of the row it is in.
    static ui::Rect frameInRow(ui::View* view, const std::string& title) {
        const auto row = rt::cast<ui::View>(MenuDriver::row(title));
        ui::Rect frame = view->frame();
        for (auto parent = view->superview(); parent && parent != row; parent = parent->superview())
            frame.origin = ui::Point{frame.x() + parent->frame().x(), frame.y() + parent->frame().y()};
        return frame;
    }

    // Whether a person sees the row's title and subtitle: not hidden, and opaque enough with
    // every view up to the row.
    static bool contentVisible(const std::string& title) {
        const auto row = rt::cast<ui::View>(MenuDriver::row(title));
        for (ui::View* view : {HostMenuObjects::titleLabel(row.get()),
                               static_cast<ui::View*>(HostMenuObjects::subtitleLabel(row.get()))}) {
            double alpha = 1;
            for (ui::View* each = view; each && each != row.get(); each = each->superview().get()) {
                if (each->isHidden()) return false;
                alpha *= each->alpha();
            }
            if (alpha < 0.5) return false;
        }
        return true;
    }

    void expectTogglesOnTheSubtitleLine() {
        const auto row = MenuDriver::row("Toggles");
        const ui::Rect icons = frameInRow(enabledToggles().get(), "Toggles");
        const ui::Rect title = frameInRow(HostMenuObjects::titleLabel(row.get()), "Toggles");
        const ui::Rect subtitle = frameInRow(HostMenuObjects::subtitleLabel(row.get()), "Toggles");
        ASSERT_GT(icons.width(), 0);
        EXPECT_GE(icons.minY(), title.maxY()) << "the icons stay clear of the title";
        EXPECT_GE(icons.minY(), subtitle.minY());
        EXPECT_LE(icons.maxY(), subtitle.maxY());
        EXPECT_GE(icons.minX(), subtitle.minX());
        EXPECT_LE(icons.maxX(), subtitle.maxX());
    }
};

}  // namespace

TEST_F(MenuRoadsTest, EnabledTogglesSitOnTheSubtitleLineUnderTheTitle) {
    start({{"com.example.maps-toggles", core::PlistDictionary{{"wifi", 1}, {"vpn", 0}}}});
    pressAndSettle();
    expectTogglesOnTheSubtitleLine();
}

TEST_F(MenuRoadsTest, EnabledTogglesSitOnTheSubtitleLineRightToLeft) {
    device::DeviceConfiguration rtl;
    rtl.layoutDirection = device::LayoutDirection::RightToLeft;
    start({{"com.example.maps-toggles", core::PlistDictionary{{"wifi", 1}, {"vpn", 0}}}}, rtl);
    pressAndSettle();
    expectTogglesOnTheSubtitleLine();
    const auto row = MenuDriver::row("Toggles");
    const ui::Rect icons = frameInRow(enabledToggles().get(), "Toggles");
    const ui::Rect subtitle = frameInRow(HostMenuObjects::subtitleLabel(row.get()), "Toggles");
    EXPECT_GT(icons.minX(), subtitle.minX() + subtitle.width() / 2) << "aligned to the right";
}

// Opening and closing an editor faster than its fade leaves the row's content visible: the
// later change wins over a fade that ends after it.
TEST_F(MenuRoadsTest, ARowOpenedAndClosedQuicklyShowsItsContent) {
    start({{"com.example.maps-brightness", 0.5f}});
    pressAndSettle();
    MenuDriver::choose("Volume");
    advance(0.1);
    MenuDriver::choose("Volume");
    advance(1);
    EXPECT_TRUE(contentVisible("Volume"));
    EXPECT_FALSE(openSlider("Volume"));

    MenuDriver::choose("Brightness");
    advance(0.15);
    ASSERT_TRUE(openSlider("Brightness"));
    MenuDriver::tapRemove();
    EXPECT_EQ(fileLevel("com.example.maps-brightness"), -1) << "the tap reached remove";
    advance(1);
    EXPECT_FALSE(openSlider("Brightness"));
    EXPECT_TRUE(contentVisible("Brightness"));
    // And the slow road still hides the content while the editor is open.
    MenuDriver::choose("Volume");
    advance(1);
    EXPECT_FALSE(contentVisible("Volume"));
}

// The finger lifts and the editor is closed before the save came due: the value is saved at
// the close, under that row's key, with one impact; the save due later does nothing.
TEST_F(MenuRoadsTest, ASliderClosedBeforeItsSaveCameDueSavesAtTheClose) {
    start();
    pressAndSettle();
    MenuDriver::choose("Volume");
    MenuDriver::drag(0.6);
    advance(0.1);
    MenuDriver::choose("Volume");
    EXPECT_FLOAT_EQ(static_cast<float>(fileLevel("com.example.maps-volume")), 0.6f);
    EXPECT_EQ(MenuDriver::subtitle("Volume"), "Custom value: 60%");
    EXPECT_EQ(MenuDriver::haptics(), 1);
    advance(1);
    EXPECT_EQ(MenuDriver::haptics(), 1);
    EXPECT_EQ(MenuDriver::subtitle("Volume"), "Custom value: 60%");
}

// A save that found a drag declines; the drag is cancelled, so nothing of it is saved, even
// by a dismissal later.
TEST_F(MenuRoadsTest, ADeclinedSaveStaysDeclinedAfterACancelledDrag) {
    start({{"com.example.maps-volume", 0.5f}});
    pressAndSettle();
    MenuDriver::choose("Volume");
    MenuDriver::drag(0.4);
    advance(0.3);
    MenuDriver::touch("began");
    MenuDriver::touchMoved(0.9);
    MenuDriver::touch("cancelled");
    advance(0.3);
    EXPECT_FLOAT_EQ(static_cast<float>(fileLevel("com.example.maps-volume")), 0.5f);
    advance(2);
    MenuDriver::dismiss();
    advance(1);
    EXPECT_FLOAT_EQ(static_cast<float>(fileLevel("com.example.maps-volume")), 0.5f);
    EXPECT_EQ(MenuDriver::haptics(), 0);
}

// A dismissal still saves what is pending: the neighbouring road of the declined save.
TEST_F(MenuRoadsTest, ADismissalSavesAValueStillPendingAfterADeclinedSave) {
    start();
    pressAndSettle();
    MenuDriver::choose("Volume");
    MenuDriver::drag(0.4);
    advance(0.3);
    MenuDriver::touch("began");
    MenuDriver::touchMoved(0.7);
    advance(0.3);  // the first save finds the drag and declines
    MenuDriver::touch("ended");
    advance(0.1);
    MenuDriver::dismiss();
    EXPECT_FLOAT_EQ(static_cast<float>(fileLevel("com.example.maps-volume")), 0.7f);
    EXPECT_EQ(MenuDriver::haptics(), 1);
    advance(1);
    EXPECT_EQ(MenuDriver::haptics(), 1);
}

// Every level the slider can store shows the same percentage right after its save as at the
// next press, which reads it back from the file at single precision.
TEST(MenuTextsAgreement, ASavedLevelShowsTheSamePercentageAsTheNextPress) {
    int differing = 0;
    for (int step = 0; step <= 100000; ++step) {
        const float stored = static_cast<float>(step) / 100000.0f;
        if (MenuTexts::savedLevelSubtitle(stored) !=
            MenuTexts::levelSubtitle(static_cast<double>(stored), "none"))
            ++differing;
    }
    EXPECT_EQ(differing, 0);
}
