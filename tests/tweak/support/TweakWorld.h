#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/plist/PlistDictionary.h"
#include "rt/Ref.h"
#include "support/DeviceWorld.h"
#include "support/FakeHost.h"
#include "support/FakePhone.h"

namespace tweak_testing {

// A fresh world for one test of the tweak: a device root, the virtual clock, a new runtime
// with the host's stand-ins, and the library back in its load-time state.
class TweakTest : public ::testing::Test {
protected:
    static constexpr const char* kValuesPath = "/var/mobile/Library/Preferences/com.kelvrin.morvane.plist";

    void SetUp() override;
    void TearDown() override;

    // Registers the host's stand-ins and starts the library as the process `processName`.
    void startLibrary(const std::string& processName = "SpringBoard");

    // Another process saves the values file (binary, as the preference store writes it).
    void writeValuesFile(const core::PlistDictionary& values);
    // The values file as it is on disk (empty when missing or unreadable).
    core::PlistDictionary readValuesFile() const;
    // Posts the reload notification and waits until this process has handled it.
    void postReloadAndWait();

    void advance(double seconds);

    testing_support::DeviceWorld _world;
    FakePhone _phone;
};

}  // namespace tweak_testing
