#pragma once

namespace morvane {

// The media volume, changed debounced: a request waits 0.3 s and is carried out only if the
// volume still differs; a request made while one is pending is dropped.
class VolumeControl {
  public:
    static constexpr double kCheckDelaySeconds = 0.3;
    static constexpr double kOverlayReleaseDelaySeconds = 0.3;

    static void changeVolume(double level);
    // The media controller's volume, widened.
    static double currentVolume();

    static bool isAlreadyCurrentlyChangingVolume();
    static void resetForTesting();
};

}  // namespace morvane
