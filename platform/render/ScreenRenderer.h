#pragma once

#include <cairo.h>

#include "render/Picture.h"
#include "render/ScreenState.h"
#include "render/ViewRenderer.h"

namespace render {

// Draws the phone's screen (ScreenModel) as ScreenState says it is, in layers:
//   1. the home screen (wallpaper, icons) or the app in front;
//   2. an open icon menu: the home screen under it blurred and dimmed, the pressed icon
//      sharp, the menu's view tree on top (through the ViewRenderer);
//   3. the status bar (white ink on the home screen, black over an app);
//   4. the volume and brightness overlays while they show (volume above brightness when
//      both do);
//   5. seen through the glass (ScreenState::asSeen), the whole screen darkened by the
//      brightness (ScreenModel::lightFor); otherwise the phone's own screenshot, undimmed.
class ScreenRenderer {
  public:
    // The dimming laid over the home screen under an open menu.
    static constexpr double kMenuDimming = 0.3;
    // The home screen under a menu is drawn at this share of the screen's pixels and scaled
    // up smoothly: it looks blurred and costs little.
    static constexpr double kBlurReduction = 1.0 / 10;

    // Draws the menu's platter with its separators (MenuPlatterPainter).
    ScreenRenderer();

    // The renderer of view trees, for a later class to add its painter.
    ViewRenderer& viewRenderer() { return _viewRenderer; }

    Picture render(const ScreenState& state) const;
    // Draws the screen anew into a picture of the screen's size, kept by a caller that draws
    // often (no new pixel buffer each time); the same pixels as render().
    void renderInto(const ScreenState& state, Picture& picture) const;
    void draw(cairo_t* cr, const ScreenState& state) const;

  private:
    void drawBlurredHome(cairo_t* cr, const ScreenState& state) const;
    void drawMenu(cairo_t* cr, const ScreenState& state) const;

    ViewRenderer _viewRenderer;
};

}  // namespace render
