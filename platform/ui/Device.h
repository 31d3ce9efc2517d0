#pragma once

#include <string>

#include "rt/Object.h"
#include "rt/Ref.h"

namespace ui {

// The phone as the interface sees it ("UIDevice"): its system name and version, from the
// simulated phone's configuration.
class Device : public rt::Object {
  public:
    static constexpr const char* kClassName = "UIDevice";

    // "currentDevice": null when the class is not registered in this world.
    static rt::Ref<Device> currentDevice();

    std::string systemVersion() const;
    std::string systemName() const { return "iOS"; }
    std::string model() const { return "iPhone"; }
};

}  // namespace ui
