#pragma once

#include <string>

#include "device/Timeline.h"

// The phone's timeline as a newcomer reads it: every change on its own line, except that the
// many small steps of a brightness glide are told as one line ("0.200  brightness 0.50 →
// 0.81, gliding in 31 steps until 0.500 (brightness controller, overlay hidden)").
class TimelineSummary {
  public:
    static std::string format(const device::Timeline& timeline);
};
