#pragma once

#include <cstdint>
#include <string_view>

#include "core/plist/PlistDictionary.h"

namespace morvane {

// What the app lifecycle does with an app's toggles dictionary.
class ToggleOperations {
  public:
    // Sets every toggle of the catalogue that has an entry, in catalogue order: on for any
    // value but 0. Toggles without an entry are not touched.
    static void applyToggles(const core::PlistDictionary& toggles);

    // Whether a toggle is put back on exit: a state was recorded and the app still sets it.
    static bool shouldRestoreToggle(std::string_view toggleName, long long previousState,
                                    const core::PlistDictionary& toggles);
};

}  // namespace morvane
