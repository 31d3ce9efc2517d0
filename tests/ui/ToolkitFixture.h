#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "device/DeviceConfiguration.h"
#include "device/Phone.h"
#include "rt/Runtime.h"
#include "support/DeviceWorld.h"
#include "ui/Toolkit.h"

// Every toolkit test runs in a fresh world: a new device root, a virtual clock, a phone
// booted with the test's configuration and the toolkit's classes registered anew.
class ToolkitTest : public ::testing::Test {
  protected:
    void SetUp() override { boot({}); }
    void TearDown() override { _world.reset(); }

    void boot(const device::DeviceConfiguration& configuration) {
        _world.reset();
        rt::resetWorld();
        _world.emplace(core::ClockMode::Virtual);
        device::Phone::boot(configuration);
        ui::registerClasses(configuration);
    }

    const std::filesystem::path& root() const { return _world->root(); }

  private:
    std::optional<testing_support::DeviceWorld> _world;
};
