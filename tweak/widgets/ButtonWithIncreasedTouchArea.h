#pragma once

#include "ui/Button.h"
#include "ui/Event.h"
#include "ui/Point.h"

namespace morvane {

// A button that takes touches up to kTouchMargin points outside its bounds on every side,
// for small glyph buttons that are hard to hit. Its "pointInside:withEvent:" replaces the
// toolkit's, so hit testing through the runtime sees the larger area.
class ButtonWithIncreasedTouchArea : public ui::Button {
  public:
    static constexpr const char* kClassName = "ButtonWithIncreasedTouchArea";
    static constexpr double kTouchMargin = 20;

    using ui::Button::Button;

    // Whether the point (in the button's coordinates) lies in the bounds grown by the margin;
    // the left and top edges are inside, the right and bottom edges outside. The event, as
    // sent with "pointInside:withEvent:", is not consulted.
    bool isInsideTouchArea(const ui::Point& point, const ui::Event* event = nullptr) const;

    static void registerRuntimeClass();
};

}  // namespace morvane
