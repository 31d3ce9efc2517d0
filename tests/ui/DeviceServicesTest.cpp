#include <gtest/gtest.h>

#include "ToolkitFixture.h"
#include "foundation/StringComparison.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "ui/Application.h"
#include "ui/Device.h"
#include "ui/ImpactFeedbackGenerator.h"

namespace {

using DeviceServicesTest = ToolkitTest;

TEST_F(DeviceServicesTest, TheSystemVersionComesFromTheDeviceConfiguration) {
    device::DeviceConfiguration configuration;
    configuration.systemVersion = "11.4.1";
    boot(configuration);
    auto current = ui::Device::currentDevice();
    ASSERT_TRUE(current);
    EXPECT_EQ(current->systemVersion(), "11.4.1");
    EXPECT_EQ(ui::Device::currentDevice(), current);  // one per world
    EXPECT_NE(ui::StringComparison::compare(current->systemVersion(), "11.4.1",
                                            ui::StringComparison::kNumeric),
              ui::StringComparison::Result::Descending);
}

TEST_F(DeviceServicesTest, TheLayoutDirectionIsThePhonesUnlessSetOnTheApplication) {
    EXPECT_EQ(ui::Application::sharedApplication()->userInterfaceLayoutDirection(),
              ui::Application::kLeftToRight);
    device::DeviceConfiguration configuration;
    configuration.layoutDirection = device::LayoutDirection::RightToLeft;
    boot(configuration);
    auto application = ui::Application::sharedApplication();
    EXPECT_EQ(application->userInterfaceLayoutDirection(), ui::Application::kRightToLeft);
    application->setUserInterfaceLayoutDirection(ui::Application::kLeftToRight);
    EXPECT_EQ(ui::Application::sharedApplication()->userInterfaceLayoutDirection(),
              ui::Application::kLeftToRight);
}

TEST_F(DeviceServicesTest, ImpactsGoOnThePhoneWithTheirStyle) {
    rt::make<ui::ImpactFeedbackGenerator>(ui::ImpactFeedbackGenerator::kStyleLight)
        ->impactOccurred();
    rt::Ref<rt::Object> generator = rt::makeOfClass(rt::lookUpClass("UIImpactFeedbackGenerator"));
    rt::send<void>(generator, rt::sel("impactOccurred"));
    EXPECT_EQ(device::Phone::shared().impacts(), (std::vector<long long>{0, 1}));
}

TEST_F(DeviceServicesTest, ASystemWithoutTheImpactGeneratorHasNoSuchClass) {
    device::DeviceConfiguration configuration;
    configuration.leftOutClasses.insert("UIImpactFeedbackGenerator");
    boot(configuration);
    EXPECT_EQ(rt::lookUpClass("UIImpactFeedbackGenerator"), nullptr);
    EXPECT_NE(rt::lookUpClass("UIButton"), nullptr);
    EXPECT_NE(rt::lookUpClass("UIScreen"), nullptr);
}

}  // namespace
