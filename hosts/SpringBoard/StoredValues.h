#pragma once

#include <string>

#include "shared/MorvaneIdentifiers.h"

// Morvane's settings and per-app values file as it is on disk, read again whenever it changed
// so that a scenario sees what was really written.
class StoredValues {
  public:
    static constexpr const char* kDevicePath = morvane::identifiers::kValuesFileDevicePath;

    // The app's stored level ("volume" or "brightness"), -1 when absent.
    static double storedLevel(const std::string& bundleIdentifier, const std::string& kind);
    // The app's stored toggle state (0 or 1), -1 when absent.
    static long long storedToggle(const std::string& bundleIdentifier,
                                  const std::string& toggleName);
    // The whole file as readable text, one entry a line.
    static std::string describe();
};
