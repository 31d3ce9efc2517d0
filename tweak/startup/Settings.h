#pragma once

#include <string>

#include "shared/MorvaneIdentifiers.h"
#include "tweak/startup/Setting.h"

namespace morvane {

// The settings object of the domain "com.kelvrin.morvane" and the 35 process-wide flags it
// keeps equal to the stored values. A flag reads false until the settings are registered.
class Settings {
  public:
    static constexpr const char* kDomain = identifiers::kSettingsDomain;

    // Creates the settings object and registers every setting of the table, in its order.
    static void registerAll();

    // The flag of `setting` as it is at this moment (safe from any thread).
    static bool isOn(Setting setting);

    // Drops the settings object and clears every flag (load-time state).
    static void resetForTesting();
};

}  // namespace morvane
