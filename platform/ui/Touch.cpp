#include "ui/Touch.h"

#include "core/dispatch/Clock.h"
#include "ui/View.h"

namespace ui {

Touch::Touch(View* window, View* view, const Point& locationInWindow)
    : _window(rt::retained(window)),
      _view(rt::retained(view)),
      _location(locationInWindow),
      _previousLocation(locationInWindow),
      _timestamp(core::Clock::now()) {}

Point Touch::locationInView(const View* view) const {
    return convert(_location, view);
}

Point Touch::previousLocationInView(const View* view) const {
    return convert(_previousLocation, view);
}

void Touch::update(TouchPhase phase, const Point& locationInWindow) {
    _previousLocation = _location;
    _location = locationInWindow;
    _phase = phase;
    _timestamp = core::Clock::now();
}

Point Touch::convert(const Point& locationInWindow, const View* view) const {
    if (!view || !_window) return locationInWindow;
    return view->convertPointFromView(locationInWindow, _window.get());
}

}  // namespace ui
