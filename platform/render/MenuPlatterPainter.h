#pragma once

#include <cairo.h>

#include "ui/View.h"

namespace render {

// The home screen's icon menu platter (the host's "SBUIShortcutMenuView", known by class name
// only): hairline separators between its rows, in the label colour faded, so rows read as
// rows over the light or the dark platter.
class MenuPlatterPainter {
  public:
    static constexpr const char* kPlatterClassName = "SBUIShortcutMenuView";
    static constexpr double kSeparatorWidth = 0.5;

    // A ViewRenderer content painter.
    static bool draw(cairo_t* cr, ui::View& view);
};

}  // namespace render
