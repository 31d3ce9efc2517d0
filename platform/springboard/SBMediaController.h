#pragma once

#include <atomic>

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace springboard {

// The home screen's media controller: the phone's media volume, and whether a change of it
// shows the volume overlay (it does unless the overlay is suppressed).
class SBMediaController : public rt::Object {
  public:
    static constexpr const char* kClassName = "SBMediaController";

    bool suppressesHUD() const { return _suppressHUD.load(); }
    void setSuppressesHUD(bool suppress) { _suppressHUD.store(suppress); }

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    std::atomic<bool> _suppressHUD{false};
};

}  // namespace springboard
