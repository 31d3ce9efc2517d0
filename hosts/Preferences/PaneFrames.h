#pragma once

#include <string>

#include "PaneState.h"

// The page a person sees as one line of JSON, for a program that shows the Settings app's
// screen and turns touches into its commands: the title, each row on screen with its label,
// key, switch state and frame in screen points, whether the navigation bar shows a back
// button and the Respring button, and the alert on screen.
class PaneFrames {
  public:
    static std::string json(const PaneState& state);
};
