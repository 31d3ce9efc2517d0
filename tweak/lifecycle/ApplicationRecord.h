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

    // Add the record's properties (getter and setter each) to the application class;
    // each answers whether all its methods were added.
    static bool addVolumeBeforeOpening(rt::Class* applicationClass);
    static bool addBrightnessBeforeOpening(rt::Class* applicationClass);
    static bool addToggleRecords(rt::Class* applicationClass);
    static bool addPreviousStateWasForegroundObscured(rt::Class* applicationClass);

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
