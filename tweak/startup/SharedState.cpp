#include "tweak/startup/SharedState.h"

namespace morvane {

namespace {

struct Variables {
    std::optional<std::string> lastForegroundAppBundleId;
    std::optional<std::string> currentForceTouchedAppBundleId;
    bool darkModeEnabled = false;
    std::optional<std::string> darkModeTweakName;
};

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

void SharedState::resetForTesting() {
    variables() = Variables{};
}

}  // namespace morvane
