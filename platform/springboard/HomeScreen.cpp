#include "springboard/HomeScreen.h"

#include "core/notify/NotifyCenter.h"
#include "device/Phone.h"
#include "rt/NoDestroy.h"
#include "rt/Runtime.h"
#include "services/Registration.h"
#include "springboard/AppRegistry.h"
#include "springboard/DeclaredShortcuts.h"
#include "springboard/IconMenu.h"
#include "springboard/MenuAppearance.h"
#include "springboard/Registration.h"
#include "ui/Toolkit.h"

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
    rt::Runtime::reset();
    if (!keepPhoneState) {
        device::Phone::boot(configuration);
        registry().clear();
        DeclaredShortcuts::clear();
        MenuAppearance::set(MenuAppearance::Kind::Stock);
    }
    ui::registerClasses(configuration);
    services::registerClasses(configuration);
    registerClasses(configuration);
    core::NotifyCenter::darwin().reset();
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

}  // namespace springboard
