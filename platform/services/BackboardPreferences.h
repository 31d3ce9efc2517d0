#pragma once

#include <optional>

namespace services {

// The display daemon's preference domain ("com.apple.backboardd"): whether the screen
// adjusts its brightness by itself ("BKEnableALS").
class BackboardPreferences {
  public:
    static constexpr const char* kApplicationId = "com.apple.backboardd";
    static constexpr const char* kAutoBrightnessKey = "BKEnableALS";

    // Stores the auto-brightness preference and writes the domain's file.
    static void storeAutoBrightness(bool enabled);
    // The stored auto-brightness preference, or none when no boolean-like value is stored.
    static std::optional<bool> storedAutoBrightness();
};

}  // namespace services
