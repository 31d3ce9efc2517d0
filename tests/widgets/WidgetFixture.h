#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "core/dispatch/Clock.h"
#include "device/DeviceConfiguration.h"
#include "device/Phone.h"
#include "rt/Runtime.h"
#include "support/DeviceWorld.h"
#include "tweak/widgets/BundleHelper.h"
#include "tweak/widgets/WidgetClasses.h"
#include "ui/AnimationLog.h"
#include "ui/Toolkit.h"

// Every widget test runs in a fresh world: a new device root holding a copy of the
// library's resource bundle, a virtual clock, a phone booted with the test's configuration,
// the toolkit's classes and the widgets' classes registered anew.
class WidgetTest : public ::testing::Test {
  protected:
    static inline const std::filesystem::path kShippedBundle = MORVANE_BUNDLE_DIR;

    void SetUp() override { boot({}); }
    void TearDown() override { _world.reset(); }

    void boot(const device::DeviceConfiguration& configuration, bool withBundle = true) {
        _world.reset();
        rt::resetWorld();
        _world.emplace(core::ClockMode::Virtual);
        device::Phone::boot(configuration);
        ui::registerClasses(configuration);
        morvane::registerWidgetClasses();
        if (withBundle) installBundle();
    }

    // The bundle's directory under the device root.
    std::filesystem::path installedBundle() const {
        return _world->root() / std::string(morvane::BundleHelper::kBundlePath).substr(1);
    }

    void installBundle() const {
        std::filesystem::create_directories(installedBundle().parent_path());
        std::filesystem::copy(kShippedBundle, installedBundle(),
                              std::filesystem::copy_options::recursive);
    }

    std::size_t impactCount() const { return device::Phone::shared().impactCount(); }

    static ui::AnimationRecord lastAnimation() { return ui::AnimationLog::shared().last(); }
    static std::size_t animationCount() { return ui::AnimationLog::shared().count(); }

  private:
    std::optional<testing_support::DeviceWorld> _world;
};
