#pragma once

#include <array>
#include <string_view>

#include "tweak/startup/Setting.h"

namespace morvane {

struct SettingDefinition {
    Setting setting;
    std::string_view key;
    bool defaultValue;
};

// The one table of the global settings: key and default of each, in registration order.
class SettingsTable {
  public:
    static const std::array<SettingDefinition, kSettingCount>& definitions();
    static const SettingDefinition& definitionOf(Setting setting);
};

}  // namespace morvane
