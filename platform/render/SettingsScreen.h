#pragma once

#include "render/Picture.h"
#include "render/ViewRenderer.h"
#include "ui/AlertController.h"
#include "ui/View.h"

namespace render {

// The Settings app's screen: the phone's screen (375 × 667 points at 2 pixels a point) in
// white, the app's view tree drawn on it with the painters of the settings pages (switches,
// the navigation bar, grouped tables and their rows), and the clock of the status bar over
// the navigation bar in the bar's title colour (black without one).
class SettingsScreen {
  public:
    // A view renderer with the settings pages' painters added.
    static ViewRenderer renderer();
    // The screen with `root` (the app's window content, in screen points) drawn on it; a
    // null root gives the empty white screen. An alert on screen is drawn over it all.
    static Picture picture(ui::View* root, const ui::AlertController* alert = nullptr);
};

}  // namespace render
