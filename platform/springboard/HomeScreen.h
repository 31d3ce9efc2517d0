#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device/DeviceConfiguration.h"
#include "rt/Ref.h"
#include "ui/Rect.h"

namespace springboard {

// The home-screen host's world: its runtime classes, the phone under it, and its installed
// apps. One per process; used on the main thread.
class HomeScreen {
  public:
    // Boots a new world: the system's (see services::SystemWorld) with the home-screen
    // classes the configuration does not leave out. Without
    // keepPhoneState the phone is booted fresh as configured and has no apps; with it (a
    // respring) the phone stays as it is and every installed app gets a new application
    // object. `beforeApplications` runs once the classes exist and before any application
    // object is made: the place to load the injected libraries.
    static void bootWorld(const device::DeviceConfiguration& configuration, bool keepPhoneState,
                          const std::function<void()>& beforeApplications = {});
    // A new world on the same phone, with the phone's own configuration.
    static void respring(const std::function<void()>& beforeApplications = {});

    // See AppRegistry.
    static rt::Ref<rt::Object> installApp(const std::string& bundleIdentifier);
    static void reportState(const std::string& bundleIdentifier, long long taskState,
                            long long visibility);
    static rt::Ref<rt::Object> application(const std::string& bundleIdentifier);
    static std::vector<std::string> installedApps();
    // The app's icon on the screen (services::HomeScreenLayout, in install order, mirrored
    // right-to-left); none for an app that is not installed or not on the first page.
    static std::optional<ui::Rect> iconFrame(const std::string& bundleIdentifier);
};

}  // namespace springboard
