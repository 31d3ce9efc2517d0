#pragma once

#include "rt/Object.h"
#include "rt/Ref.h"
#include "rt/Weak.h"
#include "ui/Point.h"
#include "ui/TouchPhase.h"
#include "ui/View.h"

namespace ui {

// One finger on the screen ("UITouch"): the view it began in, where it is now (in the
// coordinates of the root view it touches), where it was, and its phase.
class Touch : public rt::Object {
  public:
    static constexpr const char* kClassName = "UITouch";

    Touch(View* window, View* view, const Point& locationInWindow);

    TouchPhase phase() const { return _phase; }
    // "phase", answered as the runtime's integer type.
    long long phaseValue() const { return static_cast<long long>(_phase); }
    rt::Ref<View> view() const { return _view; }
    rt::Ref<View> window() const { return _window; }
    long tapCount() const { return _tapCount; }
    double timestamp() const { return _timestamp; }

    // "locationInView:": null answers the root view's coordinates.
    Point locationInView(const View* view) const;
    Point previousLocationInView(const View* view) const;

    // Moves the touch on, as the screen reports it.
    void update(TouchPhase phase, const Point& locationInWindow);

  private:
    Point convert(const Point& locationInWindow, const View* view) const;

    rt::Ref<View> _window;
    rt::Ref<View> _view;
    Point _location;
    Point _previousLocation;
    TouchPhase _phase = TouchPhase::Began;
    long _tapCount = 1;
    double _timestamp = 0;
};

}  // namespace ui
