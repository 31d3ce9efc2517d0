#pragma once

#include <string>

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace springboard {

// What the home screen knows of an installed app before it makes its application object.
class SBApplicationInfo : public rt::Object {
  public:
    static constexpr const char* kClassName = "SBApplicationInfo";

    SBApplicationInfo() = default;
    explicit SBApplicationInfo(std::string bundleIdentifier)
        : _bundleIdentifier(std::move(bundleIdentifier)) {}

    // "bundleIdentifier"
    const std::string& bundleIdentifier() const { return _bundleIdentifier; }

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    std::string _bundleIdentifier;
};

}  // namespace springboard
