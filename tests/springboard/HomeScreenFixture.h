#pragma once

#include <gtest/gtest.h>

#include "device/Phone.h"
#include "rt/rt.h"
#include "springboard/HomeScreen.h"
#include "support/DeviceWorld.h"

// A fresh device root, virtual clock, phone and home-screen world.
class HomeScreenTest : public ::testing::Test {
  protected:
    void SetUp() override { springboard::HomeScreen::bootWorld({}, false); }

    device::Phone& phone() { return device::Phone::shared(); }
    static rt::Ref<rt::Object> shared(const char* className,
                                      const char* selector = "sharedInstance") {
        return rt::send<rt::Ref<rt::Object>>(rt::lookUpClass(className), rt::sel(selector));
    }

    testing_support::DeviceWorld world;
};
