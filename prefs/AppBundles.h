#pragma once

#include <map>
#include <string>

namespace morvane::prefs {

// The apps the device root holds bundles of ("/Applications/NAME.app" and
// "/var/containers/Bundle/Application/ID/NAME.app"), by bundle identifier: the name the home
// screen shows (CFBundleDisplayName, else CFBundleName) and the icon file (CFBundleIconFile,
// else the last of CFBundleIcons' primary icon files, with "@2x.png"), as device paths.
class AppBundles {
  public:
    struct App {
        std::string displayName;
        std::string iconPath;  // empty when the bundle names none
    };

    static std::map<std::string, App> installed();
};

}  // namespace morvane::prefs
