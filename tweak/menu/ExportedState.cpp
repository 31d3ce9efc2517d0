#include "tweak/menu/ExportedState.h"

#include "tweak/startup/SharedState.h"

extern "C" const char* MorvaneDarkModeTweakName() {
    const auto& name = morvane::SharedState::darkModeTweakName();
    return name ? name->c_str() : nullptr;
}

extern "C" bool MorvaneDarkModeEnabled() {
    return morvane::SharedState::darkModeEnabled();
}
