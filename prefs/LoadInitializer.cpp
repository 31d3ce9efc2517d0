#include "prefs/PaneClasses.h"

// The pane's load-time initializer: when the Settings app loads the bundle, its pages join
// the app's runtime. Nothing may escape into the loading process.
namespace {

[[gnu::constructor]] void morvanePrefsLoadTimeInitializer() {
    try {
        morvane::prefs::registerPaneClasses();
    } catch (...) {
    }
}

}  // namespace
