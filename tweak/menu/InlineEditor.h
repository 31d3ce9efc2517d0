#pragma once

#include <string>

#include "rt/Class.h"
#include "rt/Object.h"
#include "rt/Selector.h"

namespace morvane {

// Choosing a custom entry of the icon menu: the host's handler is withheld (the menu stays,
// nothing is launched) and the entry's row turns, in place, into its editor — a slider for
// a level, a row of three-state switch buttons for the toggles. Choosing the row again
// closes the editor.
class InlineEditor {
  public:
    static constexpr double kFadeDuration = 0.2;
    static constexpr double kSliderExtraWidth = 10;

    // Replaces "appIconForceTouchShortcutViewController:activateApplicationShortcutItem:" of
    // "SBUIAppIconForceTouchController": a custom entry's choice never reaches the host's
    // handler, whatever happens after.
    static void activateApplicationShortcutItem(rt::Object* self, rt::Selector cmd,
                                                rt::Object* viewController, rt::Object* item);

    // The activation of an item of that type: true when it is one of the custom entries,
    // whose choice the host must not see.
    static bool activateCustomItem(const std::string& type);

    static void openInlineEditor(rt::Object* row, const std::string& type);
    static void closeInlineEditor(rt::Object* row);

  private:
    static void openSliderEditor(rt::Object* row, const std::string& type);
    static void openTogglesEditor(rt::Object* row);
};

}  // namespace morvane
