#pragma once

// C symbols the library exports so that a tool attached to the host (a debugger, the
// scenario runner) can read the dark-mode appearance the last row set-up detected, without
// linking against the library: look them up by name in the loaded library.
extern "C" {
// The detected appearance's name ("dune", "noctis", "carbon"), or null when none. The text
// stays valid until the next row set-up. Main thread only.
__attribute__((visibility("default"))) const char* MorvaneDarkModeTweakName();
// Whether a dark-mode appearance was detected.
__attribute__((visibility("default"))) bool MorvaneDarkModeEnabled();
}
