#pragma once

#include <cairo.h>

#include <optional>
#include <string>

#include "render/ScreenState.h"
#include "ui/Rect.h"

namespace render {

// The home screen (wallpaper and the installed apps' icons with their names, first page
// only, 4 × 6) and the screen of an app in front (a plain screen in a pale shade of its
// colour, its icon and its name in the middle). The grid is mirrored in a right-to-left
// interface, as the phone's is.
class HomeScreenPainter {
  public:
    // The icon frame of the app at `index` in screen points; none beyond the first page.
    static std::optional<ui::Rect> iconFrame(std::size_t index, bool rightToLeft);

    static void drawWallpaper(cairo_t* cr);
    static void drawIcons(cairo_t* cr, const ScreenState& state);
    static void drawIcon(cairo_t* cr, const std::string& bundleIdentifier, const ui::Rect& frame,
                         bool withName);
    static void drawApp(cairo_t* cr, const std::string& bundleIdentifier);
};

}  // namespace render
