#pragma once

#include <filesystem>

#include "core/dispatch/Clock.h"
#include "core/paths/DeviceRoot.h"
#include "prefs/PaneClasses.h"
#include "settings/SettingsApp.h"
#include "tests/support/TemporaryDirectory.h"

namespace bench_support {

// A device root on the virtual clock with the Settings app's world booted and the pane's
// classes registered, made once per benchmark program. A program built with
// PANE_BUNDLE_SOURCE also finds the pane's bundle installed in it.
class PaneBenchRoot {
  public:
    static PaneBenchRoot& shared() {
        static PaneBenchRoot root;
        return root;
    }
    const std::filesystem::path& path() const { return _root.path(); }

  private:
    PaneBenchRoot() {
        core::Clock::boot(core::ClockMode::Virtual);
        settings::SettingsApp::bootWorld();
        morvane::prefs::registerPaneClasses();
        core::DeviceRoot::set(_root.path());
#ifdef PANE_BUNDLE_SOURCE
        std::filesystem::create_directories(_root.path() / "Library/PreferenceBundles");
        std::filesystem::copy(PANE_BUNDLE_SOURCE,
                              _root.path() / "Library/PreferenceBundles/MorvanePrefs.bundle",
                              std::filesystem::copy_options::recursive);
#endif
    }
    testing_support::TemporaryDirectory _root;
};

}  // namespace bench_support
