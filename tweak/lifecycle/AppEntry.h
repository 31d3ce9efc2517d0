#pragma once

#include "core/plist/PlistDictionary.h"
#include "rt/Object.h"

namespace morvane {

// What happens when an app enters the foreground: the device's values of every kind the app
// customises are recorded on its record, then the app's own values are asked for. A level
// that the app's own exit is still putting back (the app came back quickly) is recorded as
// that level, not as the app's level still in force.
class AppEntry {
  public:
    static constexpr double kToggleApplicationDelaySeconds = 0.3;

    static void applyCustomValuesOnAppEntry(rt::Object* app);

  private:
    static void recordCurrentToggles(rt::Object* app, const core::PlistDictionary& toggles);
    static void scheduleToggles(rt::Object* app, const core::PlistDictionary& toggles,
                                long long session);
};

}  // namespace morvane
