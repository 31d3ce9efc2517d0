#pragma once

#include <optional>
#include <string>

#include "rt/Object.h"
#include "rt/Ref.h"

namespace morvane {

// The process-wide variables that several parts of the library share. Main thread only.
class SharedState {
  public:
    // The bundle identifier of the app that last entered the foreground.
    static std::optional<std::string>& lastForegroundAppBundleId();
    // The bundle identifier of the app whose icon menu was built last.
    static std::optional<std::string>& currentForceTouchedAppBundleId();
    static bool& darkModeEnabled();
    static std::optional<std::string>& darkModeTweakName();
    // The shortcut-menu view controller whose menu was laid out last, while it shows.
    static rt::Ref<rt::Object>& currentShortcutViewController();

    static void resetForTesting();
};

}  // namespace morvane
