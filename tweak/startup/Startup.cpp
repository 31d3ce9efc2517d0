#include "tweak/startup/Startup.h"

#include <string>

#include "core/notify/NotifyCenter.h"
#include "core/process/ProcessInfo.h"
#include "rt/Runtime.h"
#include "shared/MorvaneIdentifiers.h"
#include "tweak/controls/BrightnessControl.h"
#include "tweak/controls/VolumeControl.h"
#include "tweak/startup/Settings.h"
#include "tweak/startup/SharedState.h"
#include "tweak/store/CustomValuesStore.h"
#include "tweak/widgets/WidgetClasses.h"

namespace morvane {

namespace {

constexpr const char* kHostProcessName = "SpringBoard";
constexpr const char* kReloadNotification = morvane::identifiers::kReloadNotification;

struct StartupState {
    bool started = false;
    bool active = false;
    core::NotifyCenter::Token reloadObserver = 0;
    InstallReport installed;
};

StartupState& state() {
    static StartupState startupState;
    return startupState;
}

}  // namespace

namespace {

// The library's own classes exist in the host from the moment it is loaded, as compiled
// classes do on the phone; they need the toolkit's classes to derive from.
void registerLibraryClasses() {
    if (rt::lookUpClass("UIView")) registerWidgetClasses();
}

}  // namespace

void morvaneStartup() {
    StartupState& startup = state();
    if (startup.started) return;
    startup.started = true;
    if (core::ProcessInfo::processName() != kHostProcessName) return;
    registerLibraryClasses();
    Settings::registerAll();
    if (!Settings::isOn(Setting::enabled)) return;
    startup.reloadObserver = core::NotifyCenter::darwin().addObserver(
        kReloadNotification, [](const std::string&) { reloadPrefs(); });
    startup.installed = HookTable::installAll();
    startup.active = true;
}

void reloadPrefs() {
    CustomValuesStore::dropCustomValuesPerAppDictionary();
}

bool isMorvaneActive() {
    return state().active;
}

const InstallReport& installReport() {
    return state().installed;
}

void resetForTesting() {
    StartupState& startup = state();
    if (startup.reloadObserver) core::NotifyCenter::darwin().removeObserver(startup.reloadObserver);
    startup = StartupState{};
    Settings::resetForTesting();
    SharedState::resetForTesting();
    CustomValuesStore::resetForTesting();
    VolumeControl::resetForTesting();
    BrightnessControl::resetForTesting();
}

}  // namespace morvane
