#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "device/Switch.h"

namespace services {

// The switch panel's identifiers of the phone's switches: "com.a3tweaks.switch." followed by
// the switch's own identifier ("rotation-lock", "wifi", ...).
class SwitchIdentifiers {
  public:
    static constexpr std::string_view kPrefix = "com.a3tweaks.switch.";

    static std::string fullIdentifierFor(device::Switch which);
    // The switch of a full identifier, or none for one the panel does not know.
    static std::optional<device::Switch> switchFor(std::string_view fullIdentifier);
};

}  // namespace services
