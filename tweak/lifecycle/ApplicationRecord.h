#pragma once

#include <string>

#include "rt/Class.h"
#include "rt/Object.h"
#include "tweak/controls/ToggleCatalogue.h"

namespace morvane {

// The record attached to each host application object: the values in force before the app
// last entered the foreground (read and written through the properties the library adds to
// "SBApplication"), the obscured mark, and the library's own bookkeeping of entries and
// exits.
class ApplicationRecord {
  public:
    static constexpr double kNoLevel = -1.0;
    static constexpr long long kNoState = -1;

    // The record's properties, each a getter and a setter on the application class.
    static constexpr const char* kVolumeBeforeOpening = "volumeBeforeOpening";
    static constexpr const char* kBrightnessBeforeOpening = "brightnessBeforeOpening";
    static constexpr const char* kPreviousStateWasForegroundObscured =
        "previousStateWasForegroundObscured";

    // A new application object: no level and no toggle state recorded.
    static void resetRecord(rt::Object* app);

    static double volumeBeforeOpening(rt::Object* app);
    static void setVolumeBeforeOpening(rt::Object* app, double level);
    static double brightnessBeforeOpening(rt::Object* app);
    static void setBrightnessBeforeOpening(rt::Object* app, double level);
    static long long toggleBeforeOpening(rt::Object* app, const ToggleDefinition& toggle);
    static void setToggleBeforeOpening(rt::Object* app, const ToggleDefinition& toggle,
                                       long long state);
    static bool previousStateWasForegroundObscured(rt::Object* app);
    static void setPreviousStateWasForegroundObscured(rt::Object* app, bool obscured);

    // Entries and exits. An entry makes the recorded values due for one restore and starts a
    // new foreground session; the first exit after it takes the restore, later exits find
    // nothing due.
    static long long noteForegroundEntry(rt::Object* app);  // answers the new session
    static bool takeRestoreDue(rt::Object* app);
    // Whether the app is still in the foreground session begun by that entry.
    static bool isInForegroundSession(rt::Object* app, long long session);

    // "wifiBeforeOpening" -> "setWifiBeforeOpening:".
    static std::string setterNameFor(const std::string& propertyName);
};

}  // namespace morvane
