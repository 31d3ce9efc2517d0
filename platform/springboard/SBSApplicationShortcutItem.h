#pragma once

#include <string>

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace springboard {

// One entry of an app icon's shortcut menu: its title and subtitle as shown, its type (what
// identifies it when it is chosen) and the app it launches. Made empty and filled by setters.
class SBSApplicationShortcutItem : public rt::Object {
  public:
    static constexpr const char* kClassName = "SBSApplicationShortcutItem";

    const std::string& localizedTitle() const { return _localizedTitle; }
    void setLocalizedTitle(const std::string& title) { _localizedTitle = title; }
    const std::string& localizedSubtitle() const { return _localizedSubtitle; }
    void setLocalizedSubtitle(const std::string& subtitle) { _localizedSubtitle = subtitle; }
    const std::string& type() const { return _type; }
    void setType(const std::string& type) { _type = type; }
    const std::string& bundleIdentifierToLaunch() const { return _bundleIdentifierToLaunch; }
    void setBundleIdentifierToLaunch(const std::string& identifier) {
        _bundleIdentifierToLaunch = identifier;
    }

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    std::string _localizedTitle;
    std::string _localizedSubtitle;
    std::string _type;
    std::string _bundleIdentifierToLaunch;
};

}  // namespace springboard
