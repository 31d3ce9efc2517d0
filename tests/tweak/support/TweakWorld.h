#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/plist/PlistDictionary.h"
#include "device/CallLog.h"
#include "device/DeviceConfiguration.h"
#include "device/Phone.h"
#include "rt/Ref.h"
#include "support/DeviceWorld.h"

namespace tweak_testing {

// A fresh world for one test of the tweak: a device root, the virtual clock, the home-screen
// host's real classes over a freshly booted phone, and the library back in its load-time state.
class TweakTest : public ::testing::Test {
  protected:
    static constexpr const char* kValuesPath =
        "/var/mobile/Library/Preferences/com.kelvrin.morvane.plist";

    void SetUp() override;
    void TearDown() override;

    // Boots the home-screen host's world on a phone as configured, without the library.
    static void bootHost(const device::DeviceConfiguration& configuration = {});
    // Boots the host's world and starts the library in it as the process `processName`.
    // `beforeLibrary` runs once the host's classes exist, before the library starts.
    static void startLibrary(const device::DeviceConfiguration& configuration = {},
                             const std::string& processName = "SpringBoard",
                             const std::function<void()>& beforeLibrary = {});

    // Another process saves the values file (binary, as the preference store writes it).
    void writeValuesFile(const core::PlistDictionary& values);
    // The values file as it is on disk (empty when missing or unreadable).
    core::PlistDictionary readValuesFile() const;
    // Posts the reload notification and waits until this process has handled it.
    void postReloadAndWait();

    static void advance(double seconds);

    static device::Phone& phone() { return device::Phone::shared(); }
    // The user's own changes to the phone (no overlay, no service involved).
    static void userSetsVolume(float level);
    static void userSetsBrightness(double level);
    static void userSetsSwitch(device::Switch which, bool on);

    // How many calls the phone's services have received so far: a mark for the calls below.
    static std::size_t callMark() { return phone().calls().size(); }
    // The calls from `mark` on whose text ("FSSwitchPanel setState:forSwitchIdentifier: 0 ...")
    // starts with `prefix`.
    static std::vector<device::CallLog::Call> callsStartingWith(std::string_view prefix,
                                                                std::size_t mark = 0);
    static int countCalls(std::string_view prefix, std::size_t mark = 0) {
        return static_cast<int>(callsStartingWith(prefix, mark).size());
    }

    testing_support::DeviceWorld _world;
};

}  // namespace tweak_testing
