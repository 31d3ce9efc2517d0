#pragma once

#include <string>

#include "core/plist/PlistValue.h"

namespace settings {

// A settings page's direct change of one key of a preference file (a device path such as
// "/var/mobile/Library/Preferences/<domain>.plist"): every other key of the file is kept.
// Goes through the platform's one writer of preference files. Answers whether the file
// holds the change. A missing or unreadable file is not created here (the base store has
// written the value already).
bool setValueInPreferenceFile(const std::string& devicePath, const std::string& key,
                              const core::PlistValue& value);

}  // namespace settings
