#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <type_traits>
#include <vector>

#include "core/dispatch/Clock.h"
#include "core/dispatch/RunLoop.h"
#include "device/CallText.h"
#include "device/SharedInstance.h"
#include "rt/Hook.h"
#include "rt/Messaging.h"
#include "rt/Runtime.h"
#include "springboard/SBMediaController.h"
#include "support/TweakWorld.h"
#include "tweak/controls/BrightnessControl.h"
#include "tweak/controls/SpecialTasksHelper.h"
#include "tweak/controls/VolumeControl.h"

using namespace morvane;

namespace {

// A stand-in for a broken platform, put in place of the brightness controller's set: it takes
// sets (they reach the call log) without changing the level. The real controller always does.
class StuckBrightnessController {
  public:
    static void install() {
        rt::hook<&ignoreSet>(rt::lookUpClass("SBBrightnessController"),
                             "_setBrightnessLevel:showHUD:");
    }

  private:
    static void ignoreSet(rt::Object*, rt::Selector, float level, bool showHUD) {
        device::Phone::shared().recordCall(
            "SBBrightnessController",
            "_setBrightnessLevel:showHUD: " + device::argumentText(level) + " " +
                device::argumentText(showHUD));
    }
};

class VolumeBrightnessTest : public tweak_testing::TweakTest {
  protected:
    void start(const core::PlistDictionary& settings = {},
               const device::DeviceConfiguration& configuration = {}) {
        writeValuesFile(settings);
        startLibrary(configuration);
    }
    static device::DeviceConfiguration withLevels(float volume, double brightness) {
        device::DeviceConfiguration configuration;
        configuration.volume = volume;
        configuration.brightness = brightness;
        return configuration;
    }
    static int brightnessSets(std::size_t mark = 0) {
        return countCalls("SBBrightnessController", mark);
    }
    static std::vector<device::CallLog::Call> brightnessSteps(std::size_t mark = 0) {
        return callsStartingWith("SBBrightnessController", mark);
    }
    static std::string lastBrightnessStep() {
        const auto steps = brightnessSteps();
        return steps.empty() ? std::string() : steps.back().text();
    }
    // Whether the media controller holds back the volume overlay.
    static bool volumeOverlaySuppressed() {
        const auto controller = device::SharedInstance::of(rt::lookUpClass("SBMediaController"));
        const auto* media = rt::cast<springboard::SBMediaController>(controller.get());
        return media && media->suppressesHUD();
    }
};

}  // namespace

TEST_F(VolumeBrightnessTest, AVolumeRequestIsCarriedOutAfterTheCheckAndOverlappingOnesAreDropped) {
    start({}, withLevels(0.7f, 0.5));
    VolumeControl::changeVolume(0.2);
    advance(0.1);
    VolumeControl::changeVolume(0.9);  // dropped: the first is pending
    advance(0.15);
    EXPECT_FLOAT_EQ(phone().volume(), 0.7f) << "nothing before 0.3 s";
    advance(0.05);
    EXPECT_FLOAT_EQ(phone().volume(), 0.2f);
    EXPECT_EQ(countCalls("SBMediaController setVolume:"), 1);
    EXPECT_EQ(phone().overlays().volume, 1) << "showVolumeHUD is on by default";
    EXPECT_FALSE(VolumeControl::isAlreadyCurrentlyChangingVolume());

    VolumeControl::changeVolume(0.9);  // accepted again after the check
    advance(0.3);
    EXPECT_FLOAT_EQ(phone().volume(), 0.9f);
}

TEST_F(VolumeBrightnessTest,
       AVolumeAlreadyInForceIsNotSetButTheOverlayIsStillSuppressedAndReleased) {
    start({{"showVolumeHUD", false}}, withLevels(0.5f, 0.5));
    VolumeControl::changeVolume(0.5);
    EXPECT_TRUE(volumeOverlaySuppressed());
    advance(0.3);
    EXPECT_EQ(countCalls("SBMediaController setVolume:"), 0);
    EXPECT_TRUE(volumeOverlaySuppressed());
    advance(0.3);
    EXPECT_FALSE(volumeOverlaySuppressed()) << "released 0.3 s after the check";
}

TEST_F(VolumeBrightnessTest, WithoutTheOverlayTheVolumeChangesSilently) {
    start({{"showVolumeHUD", false}});
    VolumeControl::changeVolume(0.1);
    advance(0.6);
    EXPECT_FLOAT_EQ(phone().volume(), 0.1f);
    EXPECT_EQ(phone().overlays().volume, 0);
}

// On the real clock the checks run on worker threads of the global queue while this (main)
// thread makes requests and watches the flags; run under the thread sanitizer too.
TEST_F(VolumeBrightnessTest, ThePendingFlagsAreSetHereAndClearedByTheChecksOnTheGlobalQueue) {
    core::Clock::boot(core::ClockMode::Real);
    start({}, withLevels(0.5f, 0.5));
    const LevelRequester mapsEntry{"com.example.maps", LevelPurpose::Entry};
    const LevelRequester mapsRestore{"com.example.maps", LevelPurpose::Restore};
    const LevelRequester mailEntry{"com.example.mail", LevelPurpose::Entry};
    for (int round = 0; round < 3; ++round) {
        const float level = 0.2f + 0.1f * static_cast<float>(round);
        VolumeControl::changeVolume(0.9, mapsEntry);
        BrightnessControl::changeBrightness(0.9, mapsEntry);
        EXPECT_TRUE(VolumeControl::isAlreadyCurrentlyChangingVolume());
        EXPECT_TRUE(BrightnessControl::isAlreadyCurrentlyChangingBrightness());
        VolumeControl::changeVolume(level, mapsRestore);  // replaces the pending level
        BrightnessControl::changeBrightness(level, mapsRestore);
        VolumeControl::changeVolume(1.0, mailEntry);  // another app's: dropped
        BrightnessControl::changeBrightness(1.0, mailEntry);
        ASSERT_TRUE(core::RunLoop::main().runUntil(
            [] {
                return !VolumeControl::isAlreadyCurrentlyChangingVolume() &&
                       !BrightnessControl::isAlreadyCurrentlyChangingBrightness() &&
                       !VolumeControl::restoreUnderWayFor("com.example.maps") &&
                       !BrightnessControl::restoreUnderWayFor("com.example.maps");
            },
            10))
            << "round " << round;
        EXPECT_FLOAT_EQ(phone().volume(), level);
        EXPECT_NEAR(phone().brightness(), level, 0.0101);
    }
    EXPECT_EQ(countCalls("SBMediaController setVolume:"), 3);
    EXPECT_EQ(countCalls("SBMediaController setVolume: 0.90"), 0);
    EXPECT_EQ(countCalls("SBBrightnessController _setBrightnessLevel:showHUD: 0.91"), 0);
}

TEST_F(VolumeBrightnessTest, WithoutAnimationBrightnessIsSetInOneCallWithTheOverlayAsSet) {
    start({{"brightnessAnimated", false}, {"showBrightnessHUD", true}}, withLevels(0.5f, 0.2));
    BrightnessControl::changeBrightness(0.8);
    advance(0.19);
    EXPECT_EQ(brightnessSets(), 0);
    advance(0.01);
    EXPECT_EQ(brightnessSets(), 1);
    EXPECT_NEAR(phone().brightness(), 0.8, 1e-6);
    EXPECT_EQ(phone().overlays().brightness, 1);
    EXPECT_EQ(lastBrightnessStep(), "SBBrightnessController _setBrightnessLevel:showHUD: 0.80 1");
}

TEST_F(VolumeBrightnessTest, ALargeChangeGlidesInCoarseStepsEveryTenMilliseconds) {
    start({}, withLevels(0.5f, 0.2));
    BrightnessControl::changeBrightness(0.9);
    advance(0.2);
    EXPECT_EQ(brightnessSets(), 1) << "the first step runs at once";
    advance(2.0);
    EXPECT_NEAR(brightnessSets(), 70, 1);
    EXPECT_GE(phone().brightness(), 0.9 - 1e-6);
    EXPECT_LT(phone().brightness(), 0.9 + 0.011);
    const auto steps = brightnessSteps();
    EXPECT_NEAR(steps[1].time - steps[0].time, 0.01, 1e-9);
    EXPECT_NEAR(steps.back().time - steps.front().time,
                0.01 * (static_cast<double>(steps.size()) - 1), 1e-6);
    EXPECT_EQ(phone().overlays().brightness, 0);
}

TEST_F(VolumeBrightnessTest, ChangesBelowTheThresholdUseFineStepsAndTheThresholdItselfIsCoarse) {
    start();
    BrightnessControl::changeBrightness(0.649);
    advance(0.2);
    advance(0.002);
    auto steps = brightnessSteps();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_NEAR(steps[1].time - steps[0].time, 0.002, 1e-9);
    advance(1.0);

    // 0.25 - 0.1 is exactly 0.15 as doubles: the threshold itself takes the coarse step.
    ASSERT_EQ(0.25 - 0.1, BrightnessControl::kSmallChange);
    userSetsBrightness(0.25);
    const std::size_t mark = callMark();
    BrightnessControl::changeBrightness(0.1);
    advance(0.2);
    ASSERT_EQ(brightnessSteps(mark).size(), 1u);
    EXPECT_NEAR(phone().brightness(), 0.24, 1e-6);
    advance(0.002);
    EXPECT_EQ(brightnessSteps(mark).size(), 1u) << "the next step comes 10 ms later";
}

TEST_F(VolumeBrightnessTest, StepsClampAtTheEndsOfTheRange) {
    start({}, withLevels(0.5f, 0.995));
    BrightnessControl::animateBrightnessStep(true, false, 1.0);  // no glide target set: stops
    EXPECT_EQ(brightnessSets(), 0);
    BrightnessControl::changeBrightness(1.0);
    advance(0.3);
    EXPECT_EQ(lastBrightnessStep(), "SBBrightnessController _setBrightnessLevel:showHUD: 1.00 0");
    advance(0.5);
    BrightnessControl::changeBrightness(0.0);
    advance(0.2);
    userSetsBrightness(0.004);
    advance(1.0);
    EXPECT_EQ(lastBrightnessStep(), "SBBrightnessController _setBrightnessLevel:showHUD: 0.00 0");
    EXPECT_EQ(phone().brightness(), 0.0);
}

TEST_F(VolumeBrightnessTest, ALaterGlideTowardsAnotherTargetStopsTheFirst) {
    start({}, withLevels(0.5f, 0.1));
    BrightnessControl::changeBrightness(0.9);
    advance(0.25);
    BrightnessControl::changeBrightness(0.2);
    advance(0.2);
    advance(3.0);
    EXPECT_NEAR(phone().brightness(), 0.2, 0.011) << "the first glide did not go on towards 0.9";
}

TEST_F(VolumeBrightnessTest, ASecondGlideTowardsTheSameTargetLeavesTheFirstRunning) {
    start({}, withLevels(0.5f, 0.1));
    BrightnessControl::changeBrightness(0.9);
    advance(0.25);
    BrightnessControl::changeBrightness(0.9);
    advance(0.2);  // the second glide starts here
    const std::size_t mark = callMark();
    advance(0.1);
    EXPECT_EQ(brightnessSets(mark), 20) << "both chains step every 10 ms";
    advance(2.0);
    EXPECT_GE(phone().brightness(), 0.9 - 1e-6);
    EXPECT_LT(phone().brightness(), 0.9 + 0.021) << "each chain ends at or one step past it";
    const std::size_t afterBoth = callMark();
    advance(1.0);
    EXPECT_EQ(brightnessSets(afterBoth), 0) << "both chains have stopped";
}

TEST_F(VolumeBrightnessTest, AGlideWhoseReadsDoNotMoveStopsByItself) {
    writeValuesFile({});
    startLibrary(withLevels(0.5f, 0.2), "SpringBoard", &StuckBrightnessController::install);
    BrightnessControl::changeBrightness(0.9);
    advance(10.0);
    EXPECT_EQ(brightnessSets(), BrightnessControl::kMaxStepsWithoutProgress);
    EXPECT_DOUBLE_EQ(phone().brightness(), 0.2);
}

TEST_F(VolumeBrightnessTest, SetCustomVolumeSetsAtOnceWithoutTheOverlay) {
    start();
    SpecialTasksHelper::setCustomVolume(40);
    EXPECT_FLOAT_EQ(phone().volume(), 0.4f);
    EXPECT_EQ(phone().overlays().volume, 0);
    advance(0.3);
    EXPECT_FALSE(volumeOverlaySuppressed());
}
