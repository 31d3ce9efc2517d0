// The phone's screen, by the pixels drawn: the darkening rule, the overlays exactly while
// the phone shows them, the status bar's glyphs, the app in front and an open icon menu.
#include <gtest/gtest.h>

#include "PictureProbe.h"
#include "RenderWorld.h"
#include "Scenes.h"
#include "core/dispatch/Clock.h"
#include "render/OverlayPainter.h"
#include "render/ScreenModel.h"
#include "render/ScreenRenderer.h"
#include "render/StatusBarPainter.h"
#include "springboard/FBProcessState.h"
#include "tweak/widgets/SliderView.h"

using render::ScreenModel;
using render_testing::PictureProbe;
using render_testing::RenderWorld;

namespace {

const ui::Rect kWholeScreen(0, 0, ScreenModel::kWidth, ScreenModel::kHeight);
// The middle of the screen, where an overlay stands.
const ui::Rect kOverlayArea(ScreenModel::kWidth / 2 - 70, ScreenModel::kHeight / 2 - 70, 140, 140);

render::Picture draw(const render::ScreenState& state) {
    return render::ScreenRenderer().render(state);
}

}  // namespace

TEST(ScreenBrightness, TheScreenshotIsTheSameAtEveryBrightnessAndTheGlassDarkens) {
    RenderWorld world;
    render::ScreenState state = render_testing::homeScreen();
    state.brightness = 1;
    const auto screenshotAtFull = draw(state);
    state.brightness = 0.1;
    EXPECT_TRUE(draw(state).samePixelsAs(screenshotAtFull));

    state.asSeen = true;
    state.brightness = 1;
    const double full = PictureProbe(draw(state)).meanLuma(kWholeScreen);
    EXPECT_NEAR(full, PictureProbe(screenshotAtFull).meanLuma(kWholeScreen), 0.01);
    double brighter = 0;
    for (double level : {0.0, 0.2, 0.9}) {
        state.brightness = level;
        const double luma = PictureProbe(draw(state)).meanLuma(kWholeScreen);
        EXPECT_NEAR(luma / full, ScreenModel::lightFor(level), 0.01) << level;
        EXPECT_GT(luma, brighter) << level;  // a glide up shows as pictures getting lighter
        brighter = luma;
    }
    EXPECT_DOUBLE_EQ(ScreenModel::lightFor(0.2), 0.36);
    EXPECT_DOUBLE_EQ(ScreenModel::lightFor(0.9), 0.92);
    EXPECT_DOUBLE_EQ(ScreenModel::lightFor(-3), ScreenModel::kLightAtZero);
}

TEST(ScreenOverlays, AnOverlayIsDrawnExactlyWhileThePhoneSaysItShows) {
    RenderWorld world;
    auto& phone = device::Phone::shared();
    auto overlayDrawn = [&] {
        render::ScreenState state = render::ScreenState::ofPhone(phone);
        state.glyphBundle = render_testing::kGlyphBundle;
        state.brightness = 1;
        render::ScreenState without = state;
        without.volumeOverlayShowing = without.brightnessOverlayShowing = false;
        return !draw(state).samePixelsAs(draw(without));
    };
    EXPECT_FALSE(phone.isVolumeOverlayShowing());
    EXPECT_FALSE(overlayDrawn());
    phone.setVolume(0.3f, device::Actor::service("media controller"),
                    device::Phone::Overlay::Shown);
    EXPECT_TRUE(phone.isVolumeOverlayShowing());
    EXPECT_TRUE(overlayDrawn());
    core::Clock::advance(device::Phone::kOverlaySeconds - 0.001);
    EXPECT_TRUE(phone.isVolumeOverlayShowing());
    EXPECT_TRUE(overlayDrawn());
    core::Clock::advance(0.001);
    EXPECT_FALSE(phone.isVolumeOverlayShowing());
    EXPECT_FALSE(overlayDrawn());

    // A change without the overlay shows none; the brightness overlay is the phone's too.
    phone.setVolume(0.6f, device::Actor::service("media controller"),
                    device::Phone::Overlay::Hidden);
    EXPECT_FALSE(overlayDrawn());
    phone.setBrightness(0.7, device::Actor::service("brightness controller"),
                        device::Phone::Overlay::Shown);
    EXPECT_TRUE(phone.isBrightnessOverlayShowing());
    EXPECT_FALSE(phone.isVolumeOverlayShowing());
    EXPECT_TRUE(overlayDrawn());
}

TEST(ScreenOverlays, TheSegmentsLightUpToTheLevel) {
    EXPECT_EQ(render::OverlayPainter::litSegments(0), 0);
    EXPECT_EQ(render::OverlayPainter::litSegments(0.5), 8);
    EXPECT_EQ(render::OverlayPainter::litSegments(1), 16);
    EXPECT_EQ(render::OverlayPainter::litSegments(7), 16);
    RenderWorld world;
    render::ScreenState state = render_testing::homeScreen();
    state.brightness = 1;
    state.volumeOverlayShowing = true;
    state.volume = 0.25;
    const double quarter = PictureProbe(draw(state)).meanLuma(kOverlayArea);
    state.volume = 1;
    EXPECT_LT(PictureProbe(draw(state)).meanLuma(kOverlayArea), quarter);  // more dark segments
}

TEST(ScreenStatusBar, ASwitchsGlyphShowsOnlyWhileItIsOnAndTheBarMirrors) {
    RenderWorld world;
    using render::StatusBarPainter;
    const double top = (ScreenModel::kStatusBarHeight - StatusBarPainter::kGlyphSize) / 2;
    // The first glyph of the leading side, and where the mirrored bar puts it.
    const ui::Rect leadingGlyph(StatusBarPainter::kSideMargin, top, StatusBarPainter::kGlyphSize,
                                StatusBarPainter::kGlyphSize);
    const ui::Rect mirroredGlyph(ScreenModel::kWidth - leadingGlyph.maxX(), top,
                                 StatusBarPainter::kGlyphSize, StatusBarPainter::kGlyphSize);
    auto glyphInk = [&](bool rightToLeft, device::SwitchState wifi) {
        render::ScreenState state;
        state.glyphBundle = render_testing::kGlyphBundle;
        state.brightness = 1;
        state.rightToLeft = rightToLeft;
        state.switches[static_cast<std::size_t>(device::Switch::Wifi)] = wifi;
        const auto picture = draw(state);
        return std::pair{PictureProbe(picture).meanLuma(leadingGlyph),
                         PictureProbe(picture).meanLuma(mirroredGlyph)};
    };
    const auto off = glyphInk(false, device::SwitchState::Off);
    const auto on = glyphInk(false, device::SwitchState::On);
    const auto indeterminate = glyphInk(false, device::SwitchState::Indeterminate);
    EXPECT_GT(on.first, off.first + 20);  // white ink over the wallpaper
    EXPECT_DOUBLE_EQ(indeterminate.first, off.first);
    const auto mirroredOff = glyphInk(true, device::SwitchState::Off);
    const auto mirroredOn = glyphInk(true, device::SwitchState::On);
    EXPECT_GT(mirroredOn.second, mirroredOff.second + 20);
    EXPECT_DOUBLE_EQ(mirroredOn.first, mirroredOff.first);
    EXPECT_EQ(StatusBarPainter::clockText(0), "9:41");
    EXPECT_EQ(StatusBarPainter::clockText(60 * 20), "10:01");
}

TEST(ScreenApps, TheAppInFrontIsTheOneTheTimelineLastBroughtForward) {
    RenderWorld world;
    auto& phone = device::Phone::shared();
    const auto home = device::Actor::service("home screen");
    phone.recordEvent(home, "com.example.maps: running, foreground");
    phone.recordEvent(home, "com.example.mail: running, foreground");
    EXPECT_EQ(render::ScreenState::ofPhone(phone).frontApp, "com.example.mail");
    phone.recordEvent(home, "com.example.mail: running, background");
    EXPECT_EQ(render::ScreenState::ofPhone(phone).frontApp, "com.example.maps");
    phone.recordEvent(home, "com.example.maps: not running, not shown");
    EXPECT_FALSE(render::ScreenState::ofPhone(phone).frontApp);

    render::ScreenState state = render_testing::homeScreen();
    state.brightness = 1;
    const double homeLuma = PictureProbe(draw(state)).meanLuma(kWholeScreen);
    state.frontApp = "com.example.maps";
    EXPECT_GT(PictureProbe(draw(state)).meanLuma(kWholeScreen), homeLuma + 60);  // a pale screen
}

TEST(ScreenMenu, AnOpenMenuIsDrawnOverADimmedHomeScreenAndItsDarkEditorIsWhite) {
    RenderWorld world;
    render::ScreenState state = render_testing::homeScreenWithMenu(true);
    state.brightness = 1;
    const auto withMenu = draw(state);
    const ui::Rect menuFrame = state.menuView->frame();
    render::ScreenState closed = state;
    closed.menuView = nullptr;
    const auto without = draw(closed);
    const ui::Rect belowMenu(0, 500, ScreenModel::kWidth, 100);
    EXPECT_LT(PictureProbe(withMenu).meanLuma(belowMenu),
              PictureProbe(without).meanLuma(belowMenu));

    // The dark menu's slider: the minimum track, left of the thumb, is white.
    auto* editor =
        rt::cast<morvane::SliderView>(state.menuView->subviews()[0]->subviews().back().get());
    ASSERT_TRUE(editor);
    const ui::Point trackStart =
        editor->slider()->convertPointToView({4, editor->slider()->bounds().height() / 2}, nullptr);
    const auto pixel =
        PictureProbe(withMenu).at(menuFrame.x() + trackStart.x, menuFrame.y() + trackStart.y);
    EXPECT_GT(pixel.luma(), 230);
}

// An overlay that does not show leaves no trace: with only one showing, the other's level
// changes nothing in the picture (not even under the shown panel's translucent material).
TEST(ScreenOverlays, AnOverlayThatDoesNotShowLeavesNoTrace) {
    RenderWorld world;
    render::ScreenState state = render_testing::homeScreen();
    state.frontApp = "com.example.maps";
    state.brightnessOverlayShowing = true;
    state.volume = 0;
    const auto volumeZero = draw(state);
    state.volume = 1;
    EXPECT_TRUE(draw(state).samePixelsAs(volumeZero));
    state.brightnessOverlayShowing = false;
    state.volumeOverlayShowing = true;
    state.brightness = 0;
    const auto brightnessZero = draw(state);
    state.brightness = 1;
    EXPECT_TRUE(draw(state).samePixelsAs(brightnessZero));
}

// A picture drawn into again (the live phone keeps one) shows exactly the new screen, as one
// drawn afresh: nothing of the menu, the overlay or the app drawn into it before.
TEST(ScreenRedrawn, APictureDrawnIntoAgainShowsExactlyTheNewScreen) {
    RenderWorld world;
    render::ScreenState before = render_testing::homeScreenWithMenu(true);
    before.volumeOverlayShowing = true;
    render::ScreenState after = render_testing::homeScreen();
    after.frontApp = "com.example.maps";
    const render::ScreenRenderer renderer;
    render::Picture kept = renderer.render(before);
    renderer.renderInto(after, kept);
    const auto fresh = renderer.render(after);
    EXPECT_TRUE(kept.samePixelsAs(fresh));
    EXPECT_FALSE(kept.samePixelsAs(renderer.render(before)));
    // And back: the home screen with its menu and overlay again, as if drawn afresh.
    renderer.renderInto(before, kept);
    EXPECT_TRUE(kept.samePixelsAs(renderer.render(before)));
}
