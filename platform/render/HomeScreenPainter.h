#pragma once

#include <cairo.h>

#include <optional>
#include <string>
#include <vector>

#include "render/ScreenState.h"
#include "ui/Rect.h"

namespace render {

// The home screen (wallpaper, the installed apps' icons with their names on the first page,
// 4 × 6, the page dots and the dock with the phone's four own apps) and the screen of an app
// in front (a plain screen in a pale shade of its colour, its icon and its name in the upper
// third). Places: services::HomeScreenLayout, mirrored in a right-to-left interface as the
// phone's are.
class HomeScreenPainter {
  public:
    // The icon frame of the app at `index` in screen points; none beyond the first page.
    static std::optional<ui::Rect> iconFrame(std::size_t index, bool rightToLeft);
    // The names the dock's four apps show, leading first.
    static const char* const kDockApps[4];

    static void drawWallpaper(cairo_t* cr);
    // The grid's icons, the page dots and the dock.
    static void drawIcons(cairo_t* cr, const ScreenState& state);
    static void drawIcon(cairo_t* cr, const std::string& bundleIdentifier, const ui::Rect& frame,
                         bool withName, const std::vector<std::string>& installedApps);
    static void drawApp(cairo_t* cr, const std::string& bundleIdentifier,
                        const std::vector<std::string>& installedApps);
};

}  // namespace render
