#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "device/Timeline.h"
#include "render/Picture.h"
#include "render/TimelineEvents.h"

namespace render {

// The phone's timeline as a picture. Time runs left to right from 0 to the end time:
//   - the volume (dashed, over) and brightness as lines over 0…1 (each change a step, so a
//     glide shows as a slope of small steps); time in one unit, seconds or minutes;
//   - a row of marks where an overlay was shown, in the level's colour;
//   - a row per switch that changed: a band while it is on, a filled dot where it turned on,
//     a hollow one where it turned off, a grey one where it became indeterminate;
//   - a row per app that came to the front: a labelled span while it was in front.
class TimelinePlot {
  public:
    static constexpr double kWidth = 1200;
    static constexpr double kScale = 2;  // pixels a point, so the 11-point text reads

    struct Input {
        device::Timeline timeline;
        double endTime = 0;
        // The levels now: the lines end there, and start there when nothing changed them.
        double volume = 0.5;
        double brightness = 0.5;
        // The home screen's apps in order: the app rows take their icons' colours.
        std::vector<std::string> installedApps;
    };

    static Picture render(const Input& input);
    // The picture's height for the rows the events need.
    static double heightFor(const TimelineEvents& events);
};

}  // namespace render
