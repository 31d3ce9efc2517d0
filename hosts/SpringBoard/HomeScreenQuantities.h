#pragma once

#include <optional>
#include <string>
#include <vector>

#include "QuantityTable.h"

// The scenario quantities read off the phone, the application records, the values file and
// the library's settings (the names are in docs/scenarios.md).
class HomeScreenQuantities {
  public:
    static std::vector<ScriptQuantity> quantities();

    // The application record's property of an app, whatever its numeric type; none when the
    // app has no such property (the library is not active, or the name is not a property).
    static std::optional<double> recordProperty(const std::string& bundleIdentifier,
                                                const std::string& property);
};
