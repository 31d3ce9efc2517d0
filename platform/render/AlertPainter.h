#pragma once

#include <cairo.h>

#include "ui/AlertController.h"
#include "ui/Rect.h"

namespace render {

// An alert on the phone's screen, as the phone draws it: the screen dimmed, then a 270-point
// platter of the light material in the middle (an alert) or a column along the bottom (an
// action sheet) with the title in bold, the message under it, and the buttons under hairlines
// (two side by side in an alert, otherwise one a line) in the system blue, a Cancel button
// bold and a destructive one red.
class AlertPainter {
  public:
    static constexpr double kAlertWidth = 270;
    static constexpr double kButtonHeight = 44;
    static constexpr ui::ColorComponents kButtonBlue{0, 0.48, 1, 1};
    static constexpr ui::ColorComponents kDestructiveRed{1, 0.23, 0.19, 1};

    // Draws the alert over a screen of `screen` (points); answers the platter's frame.
    static ui::Rect draw(cairo_t* cr, const ui::AlertController& alert, const ui::Rect& screen);
};

}  // namespace render
