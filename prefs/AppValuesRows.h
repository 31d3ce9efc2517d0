#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "rt/Ref.h"
#include "settings/PSSpecifier.h"
#include "shared/AppValuesTable.h"

namespace morvane::prefs {

// The rows of "App values": each app under the name the home screen shows (from its bundle in
// the device root, else its bundle identifier; a name two apps share is told apart by the
// identifier), in the order of those names, with its icon and what is set.
class AppValuesRows {
  public:
    struct App {
        std::string label;
        std::string sortKey;  // the label folded to lower case, then the label itself
        std::string bundleId;
        const app_values::AppValueSet* values = nullptr;
        std::string iconPath;  // empty when the bundle names no icon
    };

    static std::vector<App> sorted(const app_values::AppValuesTable& apps);
    // The row that opens the app's page.
    static rt::Ref<settings::PSSpecifier> appLink(const App& app, rt::Object* target);
    // The row that opens the apps from `first` to `last` on a page of their own.
    static rt::Ref<settings::PSSpecifier> rangeLink(const App& first, const App& last,
                                                    std::size_t count, rt::Object* target);
};

}  // namespace morvane::prefs
