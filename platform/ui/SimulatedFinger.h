#pragma once

#include "rt/Ref.h"
#include "ui/Event.h"
#include "ui/Point.h"
#include "ui/Touch.h"
#include "ui/View.h"

namespace ui {

// One finger on the simulated screen, delivering its touches to a tree of views as the
// application does: the touch goes to the view hit-tested where it began, for its whole
// life, in one event whose touches carry the current phase.
class SimulatedFinger {
  public:
    // `root` is the topmost view (the window); points are in its coordinates.
    explicit SimulatedFinger(View* root);

    // Puts the finger down; answers the view it touched, or null when nothing took it.
    rt::Ref<View> touchDown(const Point& point);
    void moveTo(const Point& point);
    // Holds the finger still (a stationary phase, which views receive no message for).
    void hold();
    void lift();
    void cancel();

    // Down and up at one point.
    rt::Ref<View> tap(const Point& point);
    // Down at `from`, `steps` moves to `to`, up at `to`.
    rt::Ref<View> drag(const Point& from, const Point& to, int steps = 4);

    const rt::Ref<Touch>& touch() const { return _touch; }
    const rt::Ref<Event>& event() const { return _event; }

  private:
    void deliver(TouchPhase phase, const Point& point);

    rt::Ref<View> _root;
    rt::Ref<Touch> _touch;
    rt::Ref<Event> _event;
};

}  // namespace ui
