#pragma once

#include <string>

#include "rt/Object.h"
#include "rt/Ref.h"
#include "ui/Label.h"
#include "ui/Rect.h"
#include "ui/View.h"

namespace tweak_testing {

// Drives the home-screen host's icon menu as a user would, for the tweak's tests: presses an
// icon, chooses rows, drags the open slider, taps editor buttons, taps outside. Every step
// goes through the host's own flow (hit testing, the host's runtime calls), so the library
// sees exactly what it sees on the phone.
class MenuDriver {
  public:
    // The app declares a shortcut item of its own.
    static void declareShortcut(const std::string& bundleId, const std::string& type,
                                const std::string& title);
    // Presses the app's icon firmly: the menu is built and laid out at once.
    static void press(const std::string& bundleId);
    // Taps the row titled `title` where no editor covers it.
    static void choose(const std::string& title);
    // Drags the open slider's thumb to `level` and lifts the finger.
    static void drag(double level);
    // One phase of a touch on the open slider: "began", "ended", "cancelled".
    static void touch(const std::string& phase);
    static void touchMoved(double level);
    static void tapRemove();
    static void tapToggle(const std::string& toggleName);
    // Taps outside the open menu.
    static void dismiss();

    static bool menuIsOpen();
    // The open menu's controller and its row titled `title` (null when none).
    static rt::Ref<rt::Object> controller();
    static rt::Ref<rt::Object> row(const std::string& title);
    // The bundle identifier of the last app launched from a menu, or empty.
    static std::string launched();

    // What the scenario language reads: a row's subtitle, the legibility-treated subtitle
    // (empty when the row has none), the open editor's frame in the controller's view.
    static std::string subtitle(const std::string& title);
    static ui::Rect editorFrame();
    // Light haptic taps given so far.
    static int haptics();

    // The appearance of the menus made from now on: "stock", "dune", "noctis", "carbon".
    static void setAppearance(const std::string& appearance);
};

}  // namespace tweak_testing
