#pragma once

#include <string>
#include <vector>

#include "rt/Weak.h"

namespace ui {

class View;

// One view animation as it was asked for. The model values change at once; the record keeps
// what a renderer would need to play it, and which view properties the animation changed.
struct AnimationRecord {
    enum class Kind { Basic, Spring, Transition };

    struct Change {
        rt::Weak<View> view;
        std::string property;  // "alpha", "frame", "transform", "backgroundColor", "text"...
    };

    Kind kind = Kind::Basic;
    double startTime = 0;  // clock seconds when it was asked for
    double duration = 0;
    double delay = 0;
    double springDamping = 0;   // Spring only
    double springVelocity = 0;  // Spring only
    unsigned long options = 0;
    rt::Weak<View> transitionView;  // Transition only
    bool hasCompletion = false;
    std::vector<Change> changes;

    bool changed(const View* view, const std::string& property) const;
};

}  // namespace ui
