#pragma once

#include <string>

namespace morvane {

// The per-app keys of the values file: the bundle identifier, exactly as the host reports
// it, followed by "-volume", "-brightness" or "-toggles".
class CustomValueKeys {
  public:
    static std::string volumeKeyFor(const std::string& bundleId) { return bundleId + "-volume"; }
    static std::string brightnessKeyFor(const std::string& bundleId) {
        return bundleId + "-brightness";
    }
    static std::string togglesKeyFor(const std::string& bundleId) { return bundleId + "-toggles"; }
};

}  // namespace morvane
