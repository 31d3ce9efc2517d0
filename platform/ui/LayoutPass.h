#pragma once

#include <vector>

#include "rt/Weak.h"

namespace ui {

class View;

// The layout pass at the end of a turn of the main run loop: views marked by setNeedsLayout
// are laid out (from their topmost ancestor down) once the work already queued on the main
// queue has run, as the phone lays out before it draws. One pass is pending at a time; a view
// marked during a pass waits for the next. Main thread only.
class LayoutPass {
  public:
    // Notes that `view` needs layout and makes sure a pass is pending.
    static void schedule(View* view);
    // Lays out every noted view now (the pass itself; also for tests and hosts).
    static void run();
};

}  // namespace ui
