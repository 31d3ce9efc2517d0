#pragma once

#include <string>

#include "device/Actor.h"

namespace device {

// One change or event on the phone: when (clock seconds), who, and what, readably.
struct TimelineEntry {
    double time = 0;
    Actor actor = Actor::user();
    std::string text;

    // "0.300  volume 0.70 → 0.20 (media controller, overlay hidden)".
    std::string format() const;
};

}  // namespace device
