#include "ui/SimulatedFinger.h"

#include <stdexcept>

#include "core/dispatch/Clock.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "ui/TouchSet.h"

namespace ui {

SimulatedFinger::SimulatedFinger(View* root)
    : _root(rt::retained(root)), _event(rt::make<Event>()) {
    if (!root) throw std::invalid_argument("a finger needs a view to touch");
}

rt::Ref<View> SimulatedFinger::touchDown(const Point& point) {
    if (_touch) throw std::logic_error("the finger is already down");
    rt::Ref<View> hit = _root->hitTest(point, _event.get());
    if (!hit) return nullptr;
    _touch = rt::make<Touch>(_root.get(), hit.get(), point);
    _event->setTouches(rt::make<TouchSet>(std::vector<rt::Ref<Touch>>{_touch}));
    deliver(TouchPhase::Began, point);
    return hit;
}

void SimulatedFinger::moveTo(const Point& point) {
    if (_touch) deliver(TouchPhase::Moved, point);
}

void SimulatedFinger::hold() {
    if (_touch) _touch->update(TouchPhase::Stationary, _touch->locationInView(nullptr));
}

void SimulatedFinger::lift() {
    if (!_touch) return;
    deliver(TouchPhase::Ended, _touch->locationInView(nullptr));
    _touch = nullptr;
}

void SimulatedFinger::cancel() {
    if (!_touch) return;
    deliver(TouchPhase::Cancelled, _touch->locationInView(nullptr));
    _touch = nullptr;
}

rt::Ref<View> SimulatedFinger::tap(const Point& point) {
    rt::Ref<View> hit = touchDown(point);
    lift();
    return hit;
}

rt::Ref<View> SimulatedFinger::drag(const Point& from, const Point& to, int steps) {
    rt::Ref<View> hit = touchDown(from);
    for (int step = 1; step <= steps; ++step) {
        const double progress = static_cast<double>(step) / steps;
        moveTo({from.x + (to.x - from.x) * progress, from.y + (to.y - from.y) * progress});
    }
    lift();
    return hit;
}

void SimulatedFinger::deliver(TouchPhase phase, const Point& point) {
    rt::Ref<Touch> touch = _touch;  // the view's handlers may lift the finger meanwhile
    touch->update(phase, point);
    _event->setTimestamp(core::Clock::now());
    rt::Ref<TouchSet> touches = _event->allTouches();
    rt::Ref<View> view = touch->view();
    const char* message = nullptr;
    switch (phase) {
        case TouchPhase::Began:
            message = "touchesBegan:withEvent:";
            break;
        case TouchPhase::Moved:
            message = "touchesMoved:withEvent:";
            break;
        case TouchPhase::Ended:
            message = "touchesEnded:withEvent:";
            break;
        case TouchPhase::Cancelled:
            message = "touchesCancelled:withEvent:";
            break;
        case TouchPhase::Stationary:
            return;
    }
    rt::send<void>(view, rt::sel(message), touches, _event);
}

}  // namespace ui
