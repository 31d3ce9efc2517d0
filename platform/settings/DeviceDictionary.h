#pragma once

#include <optional>
#include <string_view>

#include "core/plist/PlistDictionary.h"

namespace settings {

// The dictionary of the property list file at a device path, opened by the kernel within the
// device root; none when it is missing, unreadable or not a dictionary.
std::optional<core::PlistDictionary> readDeviceDictionary(std::string_view devicePath);

}  // namespace settings
