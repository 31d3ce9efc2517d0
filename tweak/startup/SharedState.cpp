#include "tweak/startup/SharedState.h"

namespace morvane {

namespace {

struct Variables {
    std::optional<std::string> lastForegroundAppBundleId;
    std::optional<std::string> currentForceTouchedAppBundleId;
    bool darkModeEnabled = false;
    std::optional<std::string> darkModeTweakName;
    rt::Ref<rt::Object> currentShortcutViewController;
};

// Destroyed when the library is unloaded (a restart of the host) or the process ends, so
// nothing it holds is lost: the runtime itself is never torn down, and a controller of an
// earlier world is released into that world's retired classes.
Variables& variables() {
    static Variables shared;
    return shared;
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
