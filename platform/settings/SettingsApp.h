#pragma once

#include <optional>
#include <string>
#include <vector>

#include "rt/Ref.h"
#include "settings/PSListController.h"
#include "settings/SettingsListController.h"
#include "ui/NavigationController.h"

namespace settings {

// The Settings app's own part: its world, the panes it lists and the stack it shows them in.
// A pane is listed by an entry file in "/Library/PreferenceLoader/Preferences" (a dictionary
// whose "entry" names the "label", the "bundle" in "/Library/PreferenceBundles" and the
// "icon"); opening it loads the bundle's executable, makes its first page (the entry's
// "detail", else the bundle's principal class) and shows it in a navigation controller of its
// own inside the app's. Main thread.
class SettingsApp {
  public:
    static constexpr const char* kEntriesDirectory = "/Library/PreferenceLoader/Preferences";
    static constexpr const char* kBundlesDirectory = "/Library/PreferenceBundles";

    struct PaneEntry {
        std::string label;
        std::string bundle;  // the bundle's name, without ".bundle"
        std::string pageClass;
        std::string icon;
    };

    // Boots the system's world (see services::SystemWorld) on a freshly booted phone, with
    // the preference framework.
    static void bootWorld();

    // The panes listed, sorted by label.
    static std::vector<PaneEntry> listPanes();

    SettingsApp();

    // Opens the pane listed under `label`: its first page is in front. Answers an error
    // message, or none when it opened. `loadBundle` false uses classes already registered
    // (a test that linked the pane) instead of loading the bundle's executable.
    std::optional<std::string> openPane(const std::string& label, bool loadBundle = true);

    const rt::Ref<NavigationController>& rootStack() const { return _root; }
    // The app's own list of entries, shown while no pane is open.
    rt::Ref<SettingsListController> listPage() const;
    // The open pane's stack, or null.
    rt::Ref<NavigationController> paneStack() const;
    // The pane's first page, and the page in front.
    rt::Ref<PSListController> rootPage() const;
    rt::Ref<PSListController> frontPage() const;
    // Leaves the page in front (closing the pane from its first page). Answers false when
    // nothing is open.
    bool back();

  private:
    rt::Ref<NavigationController> _root;
};

}  // namespace settings
