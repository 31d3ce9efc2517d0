#pragma once

#include <string>
#include <vector>

#include "rt/Ref.h"

namespace springboard {

// The home screen's installed apps and their application objects. Application objects
// are made and told of process states through the runtime, so a replacement of
// -initWithApplicationInfo: or -_noteProcess:didChangeToState: takes effect. Main thread.
class AppRegistry {
  public:
    // Installs an app and answers its application object (the one it already has when the
    // app is installed). Throws std::invalid_argument for an empty bundle identifier.
    rt::Ref<rt::Object> install(const std::string& bundleIdentifier);

    // Reports a new state of the app's process to its application object. Throws
    // std::invalid_argument for an app that is not installed.
    void reportState(const std::string& bundleIdentifier, long long taskState,
                     long long visibility);

    // The app's application object, or null.
    rt::Ref<rt::Object> application(const std::string& bundleIdentifier) const;
    std::vector<std::string> installedApps() const;

    // Makes every installed app's application object anew (in a new world).
    void recreateApplications();
    // Forgets every app (a new phone).
    void clear() { _apps.clear(); }

  private:
    struct InstalledApp {
        std::string bundleIdentifier;
        rt::Ref<rt::Object> application;
        rt::Ref<rt::Object> process;  // while the process runs
    };

    static rt::Ref<rt::Object> makeApplication(const std::string& bundleIdentifier);
    InstalledApp* find(const std::string& bundleIdentifier);

    std::vector<InstalledApp> _apps;
};

}  // namespace springboard
