#include "render/ScreenRenderer.h"

#include <algorithm>

#include "render/GlyphSet.h"
#include "render/HomeScreenPainter.h"
#include "render/MenuPlatterPainter.h"
#include "render/OverlayPainter.h"
#include "render/ScreenModel.h"
#include "render/StatusBarPainter.h"

namespace render {

namespace {

using M = ScreenModel;
constexpr ui::ColorComponents kWhiteInk{1, 1, 1, 1};
constexpr ui::ColorComponents kBlackInk{0, 0, 0, 1};
constexpr double kOverlayOffset = 85;  // from the screen's middle when both overlays show

void drawHome(cairo_t* cr, const ScreenState& state) {
    HomeScreenPainter::drawWallpaper(cr);
    HomeScreenPainter::drawIcons(cr, state);
}

}  // namespace

ScreenRenderer::ScreenRenderer() {
    _viewRenderer.addContentPainter(&MenuPlatterPainter::draw);
}

Picture ScreenRenderer::render(const ScreenState& state) const {
    Picture picture(M::kWidth, M::kHeight, M::kScale);
    CairoContext context = picture.context();
    draw(context.get(), state);
    return picture;
}

void ScreenRenderer::renderInto(const ScreenState& state, Picture& picture) const {
    picture.clear();
    CairoContext context = picture.context();
    draw(context.get(), state);
}

void ScreenRenderer::draw(cairo_t* cr, const ScreenState& state) const {
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, M::kWidth, M::kHeight);
    cairo_clip(cr);
    const bool appInFront = state.frontApp.has_value();
    if (appInFront) {
        HomeScreenPainter::drawApp(cr, *state.frontApp, state.installedApps);
    } else if (state.menuView) {
        drawMenu(cr, state);
    } else {
        drawHome(cr, state);
    }

    GlyphSet glyphs(state.glyphBundle);
    StatusBarPainter::draw(cr, state, glyphs, appInFront ? kBlackInk : kWhiteInk);

    const bool both = state.volumeOverlayShowing && state.brightnessOverlayShowing;
    if (state.volumeOverlayShowing) {
        OverlayPainter::draw(cr, {M::kWidth / 2, M::kHeight / 2 - (both ? kOverlayOffset : 0)},
                             "Volume", "volume", state.volume, glyphs);
    }
    if (state.brightnessOverlayShowing) {
        OverlayPainter::draw(cr, {M::kWidth / 2, M::kHeight / 2 + (both ? kOverlayOffset : 0)},
                             "Brightness", "brightness", state.brightness, glyphs);
    }

    const double light = state.asSeen ? M::lightFor(state.brightness) : 1;
    if (light < 1) {
        cairo_set_source_rgba(cr, 0, 0, 0, 1 - light);
        cairo_paint(cr);
    }
    cairo_restore(cr);
}

void ScreenRenderer::drawBlurredHome(cairo_t* cr, const ScreenState& state) const {
    double scaleX = 1, scaleY = 1;
    cairo_user_to_device_distance(cr, &scaleX, &scaleY);
    const double reduction = std::clamp(scaleX * kBlurReduction, 0.01, 1.0);
    Picture small(M::kWidth, M::kHeight, reduction);
    {
        CairoContext context = small.context();
        drawHome(context.get(), state);
    }
    small.paintScaledUp(cr, CAIRO_FILTER_GOOD);
    cairo_set_source_rgba(cr, 0, 0, 0, kMenuDimming);
    cairo_paint(cr);
}

void ScreenRenderer::drawMenu(cairo_t* cr, const ScreenState& state) const {
    drawBlurredHome(cr, state);
    if (state.menuApp) {
        const auto& apps = state.installedApps;
        const auto found = std::find(apps.begin(), apps.end(), *state.menuApp);
        if (found != apps.end()) {
            if (const auto frame = HomeScreenPainter::iconFrame(
                    static_cast<std::size_t>(found - apps.begin()), state.rightToLeft))
                HomeScreenPainter::drawIcon(cr, *state.menuApp, *frame, false, apps);
        }
    }
    _viewRenderer.draw(cr, *state.menuView);
}

}  // namespace render
