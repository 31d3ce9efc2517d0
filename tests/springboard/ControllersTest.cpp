#include "HomeScreenFixture.h"
#include "core/dispatch/Clock.h"

using device::Switch;

namespace {

TEST_F(HomeScreenTest, MediaControllerShowsTheVolumeOverlayUnlessSuppressed) {
    const rt::Ref<rt::Object> media = shared("SBMediaController");
    rt::send<void>(media, rt::sel("setVolume:"), 0.3f);
    EXPECT_EQ(rt::send<float>(media, rt::sel("volume")), 0.3f);
    EXPECT_EQ(phone().overlays().volume, 1);

    rt::send<void>(media, rt::sel("setSuppressHUD:"), true);
    core::Clock::advance(0.3);
    rt::send<void>(media, rt::sel("setVolume:"), 0.2f);
    EXPECT_EQ(phone().volume(), 0.2f);
    EXPECT_EQ(phone().overlays().volume, 1);
    EXPECT_EQ(phone().timeline().entries().back().format(),
              "0.300  volume 0.30 → 0.20 (media controller, overlay hidden)");

    rt::send<void>(media, rt::sel("setSuppressHUD:"), false);
    rt::send<void>(media, rt::sel("setVolume:"), 0.4f);
    EXPECT_EQ(phone().overlays().volume, 2);
    EXPECT_EQ(phone().sets().volume, 3);
    EXPECT_EQ(phone().calls().countFor("SBMediaController", "setVolume:"), 3u);
}

TEST_F(HomeScreenTest, BrightnessControllerShowsTheOverlayExactlyWhenAsked) {
    const rt::Ref<rt::Object> controller =
        shared("SBBrightnessController", "sharedBrightnessController");
    rt::send<void>(controller, rt::sel("_setBrightnessLevel:showHUD:"), 0.75f, false);
    EXPECT_EQ(phone().brightness(), static_cast<double>(0.75f));
    EXPECT_EQ(phone().overlays().brightness, 0);
    rt::send<void>(controller, rt::sel("_setBrightnessLevel:showHUD:"), 0.25f, true);
    EXPECT_EQ(phone().overlays().brightness, 1);
    EXPECT_EQ(phone().timeline().entries().back().text,
              "brightness 0.75 → 0.25 (brightness controller, overlay shown)");
}

TEST_F(HomeScreenTest, ScreenAndSettingsDetailReadTheBrightnessTheControllerSet) {
    const rt::Ref<rt::Object> screen = shared("UIScreen", "mainScreen");
    ASSERT_TRUE(screen);
    EXPECT_EQ(shared("UIScreen", "mainScreen"), screen);
    rt::send<void>(shared("SBBrightnessController", "sharedBrightnessController"),
                   rt::sel("_setBrightnessLevel:showHUD:"), 0.6f, false);
    EXPECT_EQ(rt::send<double>(screen, rt::sel("brightness")), static_cast<double>(0.6f));
    EXPECT_EQ(
        rt::send<double>(rt::lookUpClass("PSBrightnessSettingsDetail"), rt::sel("currentValue")),
        static_cast<double>(0.6f));
}

TEST_F(HomeScreenTest, WiFiAndOrientationLockManagersDriveTheirSwitches) {
    const rt::Ref<rt::Object> wifi = shared("SBWiFiManager");
    EXPECT_TRUE(rt::send<bool>(wifi, rt::sel("wiFiEnabled")));
    rt::send<void>(wifi, rt::sel("setWiFiEnabled:"), false);
    EXPECT_FALSE(phone().isOn(Switch::Wifi));

    const rt::Ref<rt::Object> orientation = shared("SBOrientationLockManager");
    EXPECT_FALSE(rt::send<bool>(orientation, rt::sel("isUserLocked")));
    rt::send<void>(orientation, rt::sel("lock"));
    EXPECT_TRUE(rt::send<bool>(orientation, rt::sel("isUserLocked")));
    rt::send<void>(orientation, rt::sel("unlock"));
    EXPECT_FALSE(phone().isOn(Switch::OrientationLock));
    EXPECT_EQ(phone().calls().countFor("SBOrientationLockManager", "lock"), 1u);
    EXPECT_EQ(phone().calls().countFor("SBOrientationLockManager", "unlock"), 1u);
}

TEST_F(HomeScreenTest, SharedInstancesBelongToTheirWorld) {
    const rt::Ref<rt::Object> media = shared("SBMediaController");
    rt::send<void>(media, rt::sel("setSuppressHUD:"), true);
    springboard::HomeScreen::respring();
    const rt::Ref<rt::Object> fresh = shared("SBMediaController");
    EXPECT_NE(fresh, media);
    rt::send<void>(fresh, rt::sel("setVolume:"), 0.9f);
    EXPECT_EQ(phone().overlays().volume, 1);  // the new controller suppresses nothing
}

TEST_F(HomeScreenTest, LeftOutHomeScreenClassesAreAbsent) {
    device::DeviceConfiguration configuration;
    configuration.leftOutClasses = {"SBWiFiManager", "UIScreen", "PSBrightnessSettingsDetail"};
    springboard::HomeScreen::bootWorld(configuration, false);
    EXPECT_EQ(rt::lookUpClass("SBWiFiManager"), nullptr);
    EXPECT_EQ(rt::lookUpClass("UIScreen"), nullptr);
    EXPECT_EQ(rt::lookUpClass("PSBrightnessSettingsDetail"), nullptr);
    EXPECT_NE(rt::lookUpClass("SBOrientationLockManager"), nullptr);
    EXPECT_NE(rt::lookUpClass("FSSwitchPanel"), nullptr);
}

}  // namespace
