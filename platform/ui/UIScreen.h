#pragma once

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"
#include "ui/Rect.h"

namespace ui {

// The phone's screen: +mainScreen is the one screen of the world, -brightness its
// brightness (0..1) as the phone has it now.
class UIScreen : public rt::Object {
  public:
    static constexpr const char* kClassName = "UIScreen";

    // The screen in points (a phone of 375 x 812 points) and its pixels per point.
    static Rect bounds() { return Rect(0, 0, 375, 812); }
    static double scale() { return 3; }

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace ui
