#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tweak/controls/LevelRequester.h"

namespace morvane {

// How a brightness glide has gone so far: its last read and its steps in a row without
// progress; and the request it carries out, settled when the glide stops.
struct GlideProgress {
    std::optional<double> lastRead;
    int stepsWithoutProgress = 0;
    std::optional<std::uint64_t> request;
};

// The screen brightness, changed debounced like the volume (0.2 s, the same app's later
// request replacing a pending one), then set at once or, with brightnessAnimated, glided to
// in timed steps on the main queue.
class BrightnessControl {
  public:
    static constexpr double kCheckDelaySeconds = 0.2;
    static constexpr double kSmallChange = 0.15;
    static constexpr double kFineStep = 0.002;
    static constexpr double kCoarseStep = 0.01;
    // A glide whose reads stop moving towards its target (the platform ignores the sets)
    // ends after this many steps in a row without progress.
    static constexpr int kMaxStepsWithoutProgress = 5;

    static void changeBrightness(double level,
                                 const std::optional<LevelRequester>& requester = std::nullopt);
    // One step of a glide towards `target`; schedules the next one until the target is
    // reached or passed, or a later glide has taken over.
    static void animateBrightnessStep(bool goingUp, bool small, double target,
                                      GlideProgress progress = GlideProgress());
    // The main screen's brightness.
    static double currentBrightness();
    // The level of the app's own restore while it is pending, being set or glided to.
    static std::optional<double> restoreUnderWayFor(const std::string& bundleId);

    static bool isAlreadyCurrentlyChangingBrightness();
    static void resetForTesting();

  private:
    static void brightnessCheck();
    static void brightnessSet(double level, std::uint64_t request);
    static void settle(const GlideProgress& progress);
    static void setBrightnessLevel(double level);
    static double settingsBrightness();
};

}  // namespace morvane
