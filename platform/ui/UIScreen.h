#pragma once

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace ui {

// The phone's screen: +mainScreen is the one screen of the world, -brightness its
// brightness (0..1) as the phone has it now.
class UIScreen : public rt::Object {
  public:
    static constexpr const char* kClassName = "UIScreen";

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace ui
