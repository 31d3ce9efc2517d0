#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "tweak/startup/Setting.h"

namespace morvane {

struct ToggleDefinition {
    std::string_view name;   // stored, shown and looked up by this name
    Setting showSetting;     // offered in the toggles editor when on
    Setting restoreSetting;  // put back on app exit when on
    std::string_view
        recordProperty;        // the application record's property for the state before entry
    bool (*isEnabled)();       // the reader every part uses
    void (*setEnabled)(bool);  // the setter every part uses
    std::string_view switchIdentifier;
};

inline constexpr std::size_t kToggleCount = 12;

// The one table of the twelve toggles, in the order in which the device is changed,
// recorded and restored.
class ToggleCatalogue {
  public:
    static const std::array<ToggleDefinition, kToggleCount>& toggles();
    // The toggle of that name, or null.
    static const ToggleDefinition* find(std::string_view name);
};

}  // namespace morvane
