#pragma once

#include <string>
#include <vector>

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"
#include "rt/Ref.h"

namespace springboard {

// The list of shortcut items a menu shows, as "applicationShortcutItems" answers it:
// SBSApplicationShortcutItem objects in menu order (an empty list stands for nil).
using ShortcutItemList = std::vector<rt::Ref<rt::Object>>;

// Answers what an app icon's menu shows: the pressed app and its own shortcut items.
//   "applicationBundleIdentifier" -> std::string (empty for none)
//   "applicationShortcutItems"    -> ShortcutItemList, made afresh at every call
class SBUIAppIconForceTouchControllerDataProvider : public rt::Object {
  public:
    static constexpr const char* kClassName = "SBUIAppIconForceTouchControllerDataProvider";

    SBUIAppIconForceTouchControllerDataProvider() = default;
    explicit SBUIAppIconForceTouchControllerDataProvider(std::string bundleIdentifier)
        : _applicationBundleIdentifier(std::move(bundleIdentifier)) {}

    const std::string& applicationBundleIdentifier() const { return _applicationBundleIdentifier; }
    // The app's declared items, each launching the app.
    ShortcutItemList applicationShortcutItems() const;

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    std::string _applicationBundleIdentifier;
};

}  // namespace springboard
