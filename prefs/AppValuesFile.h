#pragma once

#include <functional>
#include <string>

#include "core/plist/PlistDictionary.h"
#include "settings/PSListController.h"
#include "shared/AppValuesTable.h"

namespace morvane::prefs {

// The apps' values as the "App values" pages read and change them: read with the home
// screen's rules from the settings file, changed by the writers' rule (the file's lock, read
// again under it, an unreadable file kept aside) and followed by the reload notification.
class AppValuesFile {
  public:
    using Change = std::function<void(core::PlistDictionary&)>;

    // Every app the home screen would change something for.
    static app_values::AppValuesTable read();

    // Applies one change and posts the reload notification. A change the file does not take
    // is shown on `page` as failed: an alert says why (`what` names the change), nothing is
    // posted. Answers whether the file holds the change.
    static bool change(settings::PSListController& page, const std::string& what,
                       const Change& change);
};

}  // namespace morvane::prefs
