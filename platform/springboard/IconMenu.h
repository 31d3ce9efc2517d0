#pragma once

#include <string>
#include <vector>

#include "rt/Ref.h"
#include "ui/Point.h"
#include "ui/View.h"

namespace springboard {

class SBUIAppIconForceTouchController;
class SBUIAppIconForceTouchShortcutViewController;

// The home screen's icon menus: pressing an icon firmly, the touches on the open menu,
// closing it and launching an app from it. At most one menu is open. Every step that a
// library may replace is sent through the runtime. Main thread; process-wide.
//
// A press asks the data provider for the app's items, makes one SBUIAction per item and one
// SBUIActionView per action, loads the shortcut view controller's view (its rows in list
// order) and lays it out at once: the rows' layoutSubviews in order, then the controller's
// viewDidLayoutSubviews. Touches go to the view that a hit test of the screen finds, topmost
// first; a touch on nothing of the menu closes it.
class IconMenu {
  public:
    // The user presses the app's icon firmly: a menu already open is closed first. Throws
    // std::invalid_argument for an app that is not installed.
    static void press(const std::string& bundleIdentifier);
    static bool isOpen();
    // Closes the open menu: the controller hears viewWillDisappear:, then its views leave
    // the screen and are dropped. Nothing happens when no menu is open.
    static void close();
    // Launches the app as the user would (its process reported running in the foreground).
    static void launch(const std::string& bundleIdentifier);

    // A tap at a point of the screen; answers the view that took it (null when the tap
    // closed the menu or no menu is open).
    static rt::Ref<ui::View> tap(const ui::Point& point);
    // One finger's phases, for drags and finer sequences. touchDown answers the view that
    // took the touch; a touch outside the menu closes it and answers null.
    static rt::Ref<ui::View> touchDown(const ui::Point& point);
    static void touchMove(const ui::Point& point);
    static void touchUp();
    static void touchCancel();
    static bool isTouching();

    // The screen the menu is shown on (null while closed), its controllers, and the rows.
    static rt::Ref<ui::View> screen();
    static rt::Ref<SBUIAppIconForceTouchShortcutViewController> shortcutViewController();
    static rt::Ref<SBUIAppIconForceTouchController> controller();

    // The titles of the items the data provider answered for the last press, in order.
    static std::vector<std::string> lastItemTitles();
    // The app last launched from a menu, or empty.
    static std::string lastLaunched();

    // Forgets the open menu (a new world); with `forgetPhone` also the last press and
    // launch (a new phone).
    static void reset(bool forgetPhone);
};

}  // namespace springboard
