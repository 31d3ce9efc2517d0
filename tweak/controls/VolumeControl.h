#pragma once

#include <optional>
#include <string>

#include "tweak/controls/LevelRequester.h"

namespace morvane {

// The media volume, changed debounced: a request waits 0.3 s and is carried out only if the
// volume still differs. A request made while one is pending is dropped, unless both are made
// on behalf of the same app: then the later level replaces the pending one.
class VolumeControl {
  public:
    static constexpr double kCheckDelaySeconds = 0.3;
    static constexpr double kOverlayReleaseDelaySeconds = 0.3;

    static void changeVolume(double level,
                             const std::optional<LevelRequester>& requester = std::nullopt);
    // The media controller's volume, widened.
    static double currentVolume();
    // The level of the app's own restore while it is pending or being set.
    static std::optional<double> restoreUnderWayFor(const std::string& bundleId);

    static bool isAlreadyCurrentlyChangingVolume();
    static void resetForTesting();
};

}  // namespace morvane
