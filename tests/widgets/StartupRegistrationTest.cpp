#include <gtest/gtest.h>

#include "core/process/ProcessInfo.h"
#include "rt/Runtime.h"
#include "springboard/HomeScreen.h"
#include "support/DeviceWorld.h"
#include "tweak/startup/Startup.h"

namespace {

// The home-screen host's world with the library started in it as the process `name`.
void startLibraryAs(const std::string& name) {
    core::ProcessInfo::setProcessNameForTesting(name);
    morvane::resetForTesting();
    springboard::HomeScreen::bootWorld({}, false, [] { morvane::morvaneStartup(); });
}

class LibraryClassesTest : public ::testing::Test {
  protected:
    void TearDown() override {
        morvane::resetForTesting();
        core::ProcessInfo::setProcessNameForTesting("");
        rt::Runtime::reset();
    }
    testing_support::DeviceWorld _world;
};

}  // namespace

TEST_F(LibraryClassesTest, TheWidgetClassesExistInTheHomeScreenFromStartUp) {
    startLibraryAs("SpringBoard");
    for (const char* name :
         {"SliderView", "ToggleButton", "TogglesView", "ButtonWithIncreasedTouchArea"}) {
        ASSERT_NE(rt::lookUpClass(name), nullptr) << name;
    }
    EXPECT_EQ(rt::lookUpClass("SliderView")->superclass(), rt::lookUpClass("UIView"));
    EXPECT_EQ(rt::lookUpClass("ToggleButton")->superclass(), rt::lookUpClass("UIButton"));
}

TEST_F(LibraryClassesTest, NoOtherProcessGetsThem) {
    startLibraryAs("Preferences");
    EXPECT_EQ(rt::lookUpClass("SliderView"), nullptr);
}
