#pragma once

#include <cstddef>

#include "rt/Object.h"
#include "ui/Rect.h"

namespace morvane {

// The small row of icons of the app's stored toggles, shown in the "Toggles" entry in place
// of its subtitle: one button per stored toggle, in its stored state. Display only.
class EnabledTogglesRow {
  public:
    static constexpr double kAlpha = 0.8;
    static constexpr double kInset = 2;
    static constexpr double kButtonSpacing = 8;

    // "refreshEnabledTogglesView": makes the row when the menu row has none, places it in
    // the subtitle's line and fills it with the app's stored toggles.
    static void refreshEnabledTogglesView(rt::Object* row);

    // The row's frame in a subtitle container `container` whose label is `subtitleHeight`
    // high, for `storedToggles` stored toggles. Never negative: no toggles give a zero-width
    // row at the line's start.
    static ui::Rect frameFor(const ui::Rect& container, double subtitleHeight,
                             std::size_t storedToggles, bool rightToLeft);
};

}  // namespace morvane
