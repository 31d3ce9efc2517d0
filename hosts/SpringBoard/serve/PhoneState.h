#pragma once

#include <nlohmann/json.hpp>

#include "LivePhone.h"

// The phone's state as the page and outside tools read it (docs/phone.md): levels, switches,
// the app in front and the screen shown, the icons, the open menu with its editor, the
// Settings app's page, the values file, the settings the home screen holds, the overlays
// shown, the restarts and the end of the timeline. Frames are [x, y, width, height] in
// points of the screen. Main thread.
class PhoneState {
  public:
    static nlohmann::json of(LivePhone& phone);

    static nlohmann::json switches();
    static nlohmann::json icons(const LivePhone& phone);
    static nlohmann::json menu();
    static nlohmann::json pane(LivePhone& phone);
    static nlohmann::json values();
    static nlohmann::json settings();
    static nlohmann::json timeline();
};
