#pragma once

#include <gtest/gtest.h>

#include "device/Phone.h"
#include "rt/rt.h"
#include "services/Registration.h"
#include "support/DeviceWorld.h"

// A fresh device root, virtual clock, runtime world and phone with the service classes.
class ServicesTest : public ::testing::Test {
  protected:
    void bootSystem(const device::DeviceConfiguration& configuration = {}) {
        rt::resetWorld();
        device::Phone::boot(configuration);
        services::registerClasses(configuration);
    }
    void SetUp() override { bootSystem(); }

    device::Phone& phone() { return device::Phone::shared(); }
    static rt::Class* classNamed(const char* name) { return rt::lookUpClass(name); }

    testing_support::DeviceWorld world;
};
