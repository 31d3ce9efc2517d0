#pragma once

#include <string>

#include "core/plist/PlistDictionary.h"
#include "rt/Messaging.h"
#include "support/MenuDriver.h"
#include "support/TweakWorld.h"
#include "tweak/menu/MenuControllerRegistry.h"
#include "tweak/widgets/SliderView.h"
#include "tweak/widgets/TogglesView.h"

namespace tweak_testing {

// A test of the icon menu: the library started in the home-screen host with the values
// given, Maps installed.
class MenuTest : public TweakTest {
  protected:
    static constexpr const char* kMaps = "com.example.maps";

    void start(const core::PlistDictionary& values = {},
               const device::DeviceConfiguration& configuration = {});
    // Presses Maps' icon and lets the rows' setups run.
    static void pressAndSettle(const std::string& bundleId = kMaps);

    static rt::Ref<morvane::SliderView> openSlider(const std::string& title);
    static rt::Ref<morvane::TogglesView> openToggles(const std::string& title);
    static rt::Ref<morvane::TogglesView> enabledToggles();
    // A level in the values file on disk, -1 when absent.
    double fileLevel(const std::string& key) const;
};

}  // namespace tweak_testing
