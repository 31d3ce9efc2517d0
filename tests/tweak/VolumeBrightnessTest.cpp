#include <gtest/gtest.h>

#include <atomic>
#include <type_traits>

#include "support/TweakWorld.h"
#include "tweak/controls/BrightnessControl.h"
#include "tweak/controls/SpecialTasksHelper.h"
#include "tweak/controls/VolumeControl.h"

using namespace morvane;

namespace {

class VolumeBrightnessTest : public tweak_testing::TweakTest {
protected:
    void start(const core::PlistDictionary& settings = {}) {
        writeValuesFile(settings);
        startLibrary();
    }
    int brightnessSets() const { return _phone.countCalls("SBBrightnessController"); }
};

}  // namespace

TEST_F(VolumeBrightnessTest, AVolumeRequestIsCarriedOutAfterTheCheckAndOverlappingOnesAreDropped) {
    start();
    _phone.volume = 0.7f;
    VolumeControl::changeVolume(0.2);
    advance(0.1);
    VolumeControl::changeVolume(0.9);  // dropped: the first is pending
    advance(0.15);
    EXPECT_FLOAT_EQ(_phone.volume, 0.7f) << "nothing before 0.3 s";
    advance(0.05);
    EXPECT_FLOAT_EQ(_phone.volume, 0.2f);
    EXPECT_EQ(_phone.countCalls("SBMediaController setVolume:"), 1);
    EXPECT_EQ(_phone.volumeHUDs, 1) << "showVolumeHUD is on by default";
    EXPECT_FALSE(VolumeControl::isAlreadyCurrentlyChangingVolume());

    VolumeControl::changeVolume(0.9);  // accepted again after the check
    advance(0.3);
    EXPECT_FLOAT_EQ(_phone.volume, 0.9f);
}

TEST_F(VolumeBrightnessTest, AVolumeAlreadyInForceIsNotSetButTheOverlayIsStillSuppressedAndReleased) {
    start({{"showVolumeHUD", false}});
    _phone.volume = 0.5f;
    VolumeControl::changeVolume(0.5);
    EXPECT_TRUE(_phone.suppressHUD);
    advance(0.3);
    EXPECT_EQ(_phone.countCalls("SBMediaController setVolume:"), 0);
    EXPECT_TRUE(_phone.suppressHUD);
    advance(0.3);
    EXPECT_FALSE(_phone.suppressHUD) << "released 0.3 s after the check";
}

TEST_F(VolumeBrightnessTest, WithoutTheOverlayTheVolumeChangesSilently) {
    start({{"showVolumeHUD", false}});
    VolumeControl::changeVolume(0.1);
    advance(0.6);
    EXPECT_FLOAT_EQ(_phone.volume, 0.1f);
    EXPECT_EQ(_phone.volumeHUDs, 0);
}

TEST_F(VolumeBrightnessTest, ThePendingFlagsAreAtomic) {
    // They are set on the main thread and cleared on the global queue.
    EXPECT_TRUE(std::atomic<bool>::is_always_lock_free);
    start();
    BrightnessControl::changeBrightness(0.9);
    EXPECT_TRUE(BrightnessControl::isAlreadyCurrentlyChangingBrightness());
    advance(0.2);
    EXPECT_FALSE(BrightnessControl::isAlreadyCurrentlyChangingBrightness());
}

TEST_F(VolumeBrightnessTest, WithoutAnimationBrightnessIsSetInOneCallWithTheOverlayAsSet) {
    start({{"brightnessAnimated", false}, {"showBrightnessHUD", true}});
    _phone.brightness = 0.2;
    BrightnessControl::changeBrightness(0.8);
    advance(0.19);
    EXPECT_EQ(brightnessSets(), 0);
    advance(0.01);
    EXPECT_EQ(brightnessSets(), 1);
    EXPECT_NEAR(_phone.brightness, 0.8, 1e-6);
    EXPECT_EQ(_phone.brightnessHUDs, 1);
}

TEST_F(VolumeBrightnessTest, ALargeChangeGlidesInCoarseStepsEveryTenMilliseconds) {
    start();
    _phone.brightness = 0.2;
    BrightnessControl::changeBrightness(0.9);
    advance(0.2);
    EXPECT_EQ(brightnessSets(), 1) << "the first step runs at once";
    advance(2.0);
    EXPECT_NEAR(brightnessSets(), 70, 1);
    EXPECT_GE(_phone.brightness, 0.9 - 1e-6);
    EXPECT_LT(_phone.brightness, 0.9 + 0.011);
    const auto steps = _phone.callsStartingWith("SBBrightnessController");
    EXPECT_NEAR(steps[1].time - steps[0].time, 0.01, 1e-9);
    EXPECT_NEAR(steps.back().time - steps.front().time, 0.01 * (static_cast<double>(steps.size()) - 1), 1e-6);
    EXPECT_EQ(_phone.brightnessHUDs, 0);
}

TEST_F(VolumeBrightnessTest, ChangesBelowTheThresholdUseFineStepsAndTheThresholdItselfIsCoarse) {
    start();
    _phone.brightness = 0.5;
    BrightnessControl::changeBrightness(0.649);
    advance(0.2);
    advance(0.002);
    auto steps = _phone.callsStartingWith("SBBrightnessController");
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_NEAR(steps[1].time - steps[0].time, 0.002, 1e-9);
    advance(1.0);

    _phone.calls.clear();
    _phone.brightness = 0.5;
    BrightnessControl::changeBrightness(0.35);
    advance(0.2);
    steps = _phone.callsStartingWith("SBBrightnessController");
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].text, "SBBrightnessController _setBrightnessLevel: 0.490");
}

TEST_F(VolumeBrightnessTest, StepsClampAtTheEndsOfTheRange) {
    start();
    _phone.brightness = 0.995;
    BrightnessControl::animateBrightnessStep(true, false, 1.0);  // no glide target set: stops
    EXPECT_EQ(brightnessSets(), 0);
    BrightnessControl::changeBrightness(1.0);
    advance(0.3);
    EXPECT_EQ(_phone.calls.back().text, "SBBrightnessController _setBrightnessLevel: 1.000");
    advance(0.5);
    BrightnessControl::changeBrightness(0.0);
    advance(0.2);
    _phone.brightness = 0.004;
    advance(1.0);
    EXPECT_EQ(_phone.calls.back().text, "SBBrightnessController _setBrightnessLevel: 0.000");
}

TEST_F(VolumeBrightnessTest, ALaterGlideTowardsAnotherTargetStopsTheFirst) {
    start();
    _phone.brightness = 0.1;
    BrightnessControl::changeBrightness(0.9);
    advance(0.25);
    BrightnessControl::changeBrightness(0.2);
    advance(0.2);
    advance(3.0);
    EXPECT_NEAR(_phone.brightness, 0.2, 0.011) << "the first glide did not go on towards 0.9";
}

TEST_F(VolumeBrightnessTest, AGlideWhoseReadsDoNotMoveStopsByItself) {
    start();
    _phone.brightness = 0.2;
    _phone.ignoresBrightnessSets = true;
    BrightnessControl::changeBrightness(0.9);
    advance(10.0);
    EXPECT_EQ(brightnessSets(), BrightnessControl::kMaxStepsWithoutProgress);
}

TEST_F(VolumeBrightnessTest, SetCustomVolumeSetsAtOnceWithoutTheOverlay) {
    start();
    SpecialTasksHelper::setCustomVolume(40);
    EXPECT_FLOAT_EQ(_phone.volume, 0.4f);
    EXPECT_EQ(_phone.volumeHUDs, 0);
    advance(0.3);
    EXPECT_FALSE(_phone.suppressHUD);
}
