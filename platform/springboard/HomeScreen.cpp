#include "springboard/HomeScreen.h"

#include <algorithm>

#include "device/Phone.h"
#include "rt/NoDestroy.h"
#include "services/HomeScreenLayout.h"
#include "services/SystemWorld.h"
#include "springboard/AppRegistry.h"
#include "springboard/DeclaredShortcuts.h"
#include "springboard/IconMenu.h"
#include "springboard/MenuAppearance.h"
#include "springboard/Registration.h"

namespace springboard {

namespace {

AppRegistry& registry() {
    static rt::NoDestroy<AppRegistry> apps;
    return *apps;
}

}  // namespace

void HomeScreen::bootWorld(const device::DeviceConfiguration& configuration, bool keepPhoneState,
                           const std::function<void()>& beforeApplications) {
    IconMenu::reset(!keepPhoneState);
    services::SystemWorld::boot(configuration, keepPhoneState);
    if (!keepPhoneState) {
        registry().clear();
        DeclaredShortcuts::clear();
        MenuAppearance::set(MenuAppearance::Kind::Stock);
    }
    registerClasses(configuration);
    if (beforeApplications) beforeApplications();
    registry().recreateApplications();
}

void HomeScreen::respring(const std::function<void()>& beforeApplications) {
    bootWorld(device::Phone::shared().configuration(), true, beforeApplications);
}

rt::Ref<rt::Object> HomeScreen::installApp(const std::string& bundleIdentifier) {
    return registry().install(bundleIdentifier);
}

void HomeScreen::reportState(const std::string& bundleIdentifier, long long taskState,
                             long long visibility) {
    registry().reportState(bundleIdentifier, taskState, visibility);
}

rt::Ref<rt::Object> HomeScreen::application(const std::string& bundleIdentifier) {
    return registry().application(bundleIdentifier);
}

std::vector<std::string> HomeScreen::installedApps() {
    return registry().installedApps();
}

std::optional<ui::Rect> HomeScreen::iconFrame(const std::string& bundleIdentifier) {
    const std::vector<std::string> apps = installedApps();
    const auto found = std::find(apps.begin(), apps.end(), bundleIdentifier);
    if (found == apps.end()) return std::nullopt;
    const bool rightToLeft =
        device::Phone::shared().layoutDirection() == device::LayoutDirection::RightToLeft;
    return services::HomeScreenLayout::iconFrame(static_cast<std::size_t>(found - apps.begin()),
                                                 rightToLeft);
}

}  // namespace springboard
