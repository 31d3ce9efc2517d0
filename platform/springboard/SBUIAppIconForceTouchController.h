#pragma once

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"
#include "rt/Ref.h"

namespace springboard {

// The controller of an icon's shortcut menu: hears which item the user chose.
//   "appIconForceTouchShortcutViewController:activateApplicationShortcutItem:"
//     (rt::Object* shortcutViewController, rt::Object* item) -> void
// Its own implementation closes the menu and launches the item's app (IconMenu).
class SBUIAppIconForceTouchController : public rt::Object {
  public:
    static constexpr const char* kClassName = "SBUIAppIconForceTouchController";

    void activateApplicationShortcutItem(rt::Object* shortcutViewController, rt::Object* item);

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace springboard
