#pragma once

#include "tweak/startup/HookTable.h"

namespace morvane {

// The library's start-up: in the home-screen host ("SpringBoard") only, registers the 35
// settings and, when `enabled` is on, observes the reload notification and installs the hook
// table. Runs once; later calls do nothing until resetForTesting.
void morvaneStartup();

// The reload notification's handler: drops the cached per-app values.
void reloadPrefs();

// Whether the start-up installed the hooks (the library is active).
bool isMorvaneActive();

// What the start-up's installation replaced and added (nothing while inactive).
const InstallReport& installReport();

// Puts every process-wide state of the library back to its load-time state, so a test can
// start the library again in a fresh world.
void resetForTesting();

}  // namespace morvane
