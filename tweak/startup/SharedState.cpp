#include "tweak/startup/SharedState.h"

#include "rt/NoDestroy.h"

namespace morvane {

namespace {

struct Variables {
    std::optional<std::string> lastForegroundAppBundleId;
    std::optional<std::string> currentForceTouchedAppBundleId;
    bool darkModeEnabled = false;
    std::optional<std::string> darkModeTweakName;
    rt::Ref<rt::Object> currentShortcutViewController;
};

// Never destroyed: a controller still held at exit is not released into a torn-down runtime.
Variables& variables() {
    static rt::NoDestroy<Variables> shared;
    return shared.get();
}

}  // namespace

std::optional<std::string>& SharedState::lastForegroundAppBundleId() {
    return variables().lastForegroundAppBundleId;
}

std::optional<std::string>& SharedState::currentForceTouchedAppBundleId() {
    return variables().currentForceTouchedAppBundleId;
}

bool& SharedState::darkModeEnabled() {
    return variables().darkModeEnabled;
}

std::optional<std::string>& SharedState::darkModeTweakName() {
    return variables().darkModeTweakName;
}

rt::Ref<rt::Object>& SharedState::currentShortcutViewController() {
    return variables().currentShortcutViewController;
}

void SharedState::resetForTesting() {
    variables() = Variables{};
}

}  // namespace morvane
