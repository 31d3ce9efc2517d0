#pragma once

#include <string>

#include "shared/AppValuesTable.h"

// Every app's values written out: the list's table, JSON, and a property list in the values
// file's own key form ("<bundleId>-volume", "-brightness", "-toggles"). Only apps' values,
// never the settings.
class ValuesExport {
  public:
    // {"apps": {"<bundleId>": {"volume": 0.2, "brightness": 0.7, "toggles": {"wifi": true}}}},
    // keys present only when stored, one app a line; levels in the fewest digits that read
    // back as the same single-precision number.
    static std::string json(const morvane::app_values::AppValuesTable& apps);
    static std::string xml(const morvane::app_values::AppValuesTable& apps);
    static std::string binary(const morvane::app_values::AppValuesTable& apps);
    // A table a person reads: app, volume, brightness, toggles; "No app has values." when empty.
    static std::string table(const morvane::app_values::AppValuesTable& apps);

    // The shortest decimal text of a single-precision level.
    static std::string levelText(double level);
};
