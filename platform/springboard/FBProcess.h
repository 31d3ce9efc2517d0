#pragma once

#include <string>

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace springboard {

// A running process of an app, as the front-board process manager knows it.
class FBProcess : public rt::Object {
  public:
    static constexpr const char* kClassName = "FBProcess";

    FBProcess() = default;
    explicit FBProcess(std::string bundleIdentifier)
        : _bundleIdentifier(std::move(bundleIdentifier)) {}

    const std::string& bundleIdentifier() const { return _bundleIdentifier; }

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    std::string _bundleIdentifier;
};

}  // namespace springboard
