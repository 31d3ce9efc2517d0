#include <stdexcept>
#include <string>
#include <vector>

#include "HomeScreenFixture.h"
#include "rt/Hook.h"
#include "springboard/FBProcessState.h"
#include "springboard/SBApplication.h"

using springboard::HomeScreen;

namespace {

// A library's replacement of -initWithApplicationInfo:, recording what it saw.
struct InitHook {
    static inline std::vector<std::string> seenBundleIdentifiers;

    static rt::Ref<rt::Object> replacement(rt::Object* self, rt::Selector cmd, rt::Object* info) {
        rt::Ref<rt::Object> app = rt::original<&replacement>(self, cmd, info);
        seenBundleIdentifiers.push_back(rt::send<std::string>(app, rt::sel("bundleIdentifier")));
        return app;
    }
    static void install() {
        seenBundleIdentifiers.clear();
        ASSERT_TRUE(
            rt::hook<&replacement>(rt::lookUpClass("SBApplication"), "initWithApplicationInfo:"));
    }
};

// A replacement of -_noteProcess:didChangeToState: that checks the host took the state in first.
struct StateHook {
    static inline std::vector<std::string> reports;

    static void replacement(rt::Object* self, rt::Selector cmd, rt::Object* process,
                            rt::Object* state) {
        rt::original<&replacement>(self, cmd, process, state);
        const bool hostKeptIt =
            rt::cast<springboard::SBApplication>(self)->currentState().get() == state;
        reports.push_back(rt::send<std::string>(process, rt::sel("bundleIdentifier")) + " " +
                          std::to_string(rt::send<long long>(state, rt::sel("taskState"))) + "," +
                          std::to_string(rt::send<long long>(state, rt::sel("visibility"))) +
                          (hostKeptIt ? "" : " (host did not keep it)"));
    }
    static void install() {
        reports.clear();
        ASSERT_TRUE(rt::hook<&replacement>(rt::lookUpClass("SBApplication"),
                                           "_noteProcess:didChangeToState:"));
    }
};

springboard::SBApplication* asApplication(const rt::Ref<rt::Object>& object) {
    return rt::cast<springboard::SBApplication>(object.get());
}

TEST_F(HomeScreenTest, InstallingMakesTheApplicationObjectThroughTheRuntime) {
    InitHook::install();
    const rt::Ref<rt::Object> app = HomeScreen::installApp("com.example.maps");
    ASSERT_TRUE(app);
    EXPECT_EQ(InitHook::seenBundleIdentifiers, (std::vector<std::string>{"com.example.maps"}));
    EXPECT_EQ(rt::send<std::string>(app, rt::sel("bundleIdentifier")), "com.example.maps");
    EXPECT_EQ(HomeScreen::application("com.example.maps"), app);
    EXPECT_EQ(HomeScreen::application("com.example.other"), nullptr);
}

TEST_F(HomeScreenTest, InstallingTwiceKeepsTheOneObject) {
    const rt::Ref<rt::Object> app = HomeScreen::installApp("com.example.maps");
    InitHook::install();
    EXPECT_EQ(HomeScreen::installApp("com.example.maps"), app);
    EXPECT_TRUE(InitHook::seenBundleIdentifiers.empty());
    EXPECT_EQ(HomeScreen::installedApps(), (std::vector<std::string>{"com.example.maps"}));
    EXPECT_THROW(HomeScreen::installApp(""), std::invalid_argument);
}

TEST_F(HomeScreenTest, StateReportsReachTheApplicationThroughTheRuntimeInOrder) {
    const rt::Ref<rt::Object> app = HomeScreen::installApp("com.example.maps");
    StateHook::install();
    HomeScreen::reportState("com.example.maps", 2, 2);
    HomeScreen::reportState("com.example.maps", 2, 3);
    HomeScreen::reportState("com.example.maps", 1, 0);
    EXPECT_EQ(StateHook::reports,
              (std::vector<std::string>{"com.example.maps 2,2", "com.example.maps 2,3",
                                        "com.example.maps 1,0"}));

    const auto* state =
        rt::cast<springboard::FBProcessState>(asApplication(app)->currentState().get());
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->taskState(), 1);
    EXPECT_EQ(state->visibility(), 0);
    const device::Timeline timeline = phone().timeline();
    ASSERT_EQ(timeline.size(), 3u);
    EXPECT_EQ(timeline.entries()[0].text, "com.example.maps: running, foreground (home screen)");
    EXPECT_EQ(timeline.entries()[1].text,
              "com.example.maps: running, foreground, obscured (home screen)");
    EXPECT_EQ(timeline.entries()[2].text, "com.example.maps: not running, not shown (home screen)");
    EXPECT_THROW(HomeScreen::reportState("com.example.unknown", 2, 2), std::invalid_argument);
}

TEST_F(HomeScreenTest, AProcessLastsUntilItStopsRunning) {
    const rt::Ref<rt::Object> app = HomeScreen::installApp("com.example.maps");
    HomeScreen::reportState("com.example.maps", 2, 2);
    const rt::Ref<rt::Object> process = asApplication(app)->currentProcess();
    HomeScreen::reportState("com.example.maps", 2, 1);
    EXPECT_EQ(asApplication(app)->currentProcess(), process);
    HomeScreen::reportState("com.example.maps", 1, 0);
    EXPECT_EQ(asApplication(app)->currentProcess(), process);  // the process that ended
    HomeScreen::reportState("com.example.maps", 2, 2);
    EXPECT_NE(asApplication(app)->currentProcess(), process);
}

TEST_F(HomeScreenTest, ARespringKeepsThePhoneAndRemakesEveryApplication) {
    const rt::Ref<rt::Object> maps = HomeScreen::installApp("com.example.maps");
    HomeScreen::installApp("com.example.music");
    phone().setVolume(0.2f, device::Actor::user());
    phone().setSwitch(device::Switch::Wifi, false, device::Actor::user());

    HomeScreen::respring([] { InitHook::install(); });

    EXPECT_EQ(phone().volume(), 0.2f);
    EXPECT_FALSE(phone().isOn(device::Switch::Wifi));
    EXPECT_EQ(phone().timeline().size(), 2u);
    EXPECT_EQ(InitHook::seenBundleIdentifiers,
              (std::vector<std::string>{"com.example.maps", "com.example.music"}));
    const rt::Ref<rt::Object> newMaps = HomeScreen::application("com.example.maps");
    ASSERT_TRUE(newMaps);
    EXPECT_NE(newMaps, maps);
    EXPECT_EQ(newMaps->getClass(), rt::lookUpClass("SBApplication"));
}

TEST_F(HomeScreenTest, ANewPhoneHasNoAppsAndNoHistory) {
    HomeScreen::installApp("com.example.maps");
    phone().setVolume(0.2f, device::Actor::user());
    device::DeviceConfiguration configuration;
    configuration.volume = 0.9f;
    HomeScreen::bootWorld(configuration, false);
    EXPECT_TRUE(HomeScreen::installedApps().empty());
    EXPECT_EQ(phone().volume(), 0.9f);
    EXPECT_TRUE(phone().timeline().empty());
}

}  // namespace
