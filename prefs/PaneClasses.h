#pragma once

namespace morvane::prefs {

// Registers the pane's pages in the current world, under the preference library's base;
// nothing when that base is missing (a process without the Settings app's framework).
void registerPaneClasses();

}  // namespace morvane::prefs
