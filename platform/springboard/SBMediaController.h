#pragma once

#include <atomic>

#include "device/DeviceConfiguration.h"
#include "device/ServiceStub.h"

namespace springboard {

// The home screen's media controller: the phone's media volume, and whether a change of it
// shows the volume overlay (it does unless the overlay is suppressed). Class method
// "sharedInstance"; instance methods "volume", "setVolume:" (float), "setSuppressHUD:".
class SBMediaController : public device::ServiceStub<SBMediaController> {
  public:
    static constexpr const char* kClassName = "SBMediaController";

    float volume();
    void setVolume(float level);
    void setSuppressHUD(bool suppress);
    bool suppressesHUD() const { return _suppressHUD.load(); }

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    std::atomic<bool> _suppressHUD{false};
};

}  // namespace springboard
