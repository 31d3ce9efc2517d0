#pragma once

#include <string>

#include "core/plist/PlistValue.h"
#include "core/preferences/PreferenceFileUpdate.h"

namespace settings {

// A settings page's direct change of one key of a preference file (a device path such as
// "/var/mobile/Library/Preferences/<domain>.plist"): every other key of the file is kept.
// Goes through the platform's one rule for writers of preference files: under the file's lock
// shared with every other process, onto the file as it is then, so no other writer's change is
// lost; an unreadable file is kept aside first. Answers the update's result: whether the file
// holds the change, why not, and where an unreadable file was kept.
core::PreferenceFileUpdate::Result setValueInPreferenceFile(const std::string& devicePath, const std::string& key,
                              const core::PlistValue& value);

}  // namespace settings
