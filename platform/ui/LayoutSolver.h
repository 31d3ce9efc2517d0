#pragma once

#include <vector>

#include "rt/Ref.h"
#include "ui/Size.h"

namespace ui {

class LayoutConstraint;
class View;

// Solves layout constraints, as the device's layout engine does for what the system asks
// of it: fixed sizes, sizes proportional to other sizes, and edges, centres and positions
// related to the superview's or to siblings'.
//
// The unknowns are the frames of the views being placed. Constraints are taken from the
// latest activated to the earliest; one that contradicts those already taken is dropped, so
// among conflicting constraints the latest wins, deterministically and without failing. What
// the constraints leave open keeps its current value (sizes before positions). An inequality
// is enforced only when the solution without it breaks it. Sizes never go below zero.
class LayoutSolver {
  public:
    // Places the direct subviews of `container` from the active constraints installed on it
    // or on them that relate only the container and its direct subviews.
    static void layOutSubviews(View& container);

    // The size that the view's constraints on its own width and height give it; the current
    // size for what they leave open.
    static Size fittingSize(View& view);
};

}  // namespace ui
