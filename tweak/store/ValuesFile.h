#pragma once

#include <optional>

#include "core/plist/PlistDictionary.h"
#include "core/preferences/PreferenceFileUpdate.h"
#include "shared/MorvaneIdentifiers.h"

namespace morvane {

// The per-app values file (also the file of the settings domain).
class ValuesFile {
  public:
    static constexpr const char* kDevicePath = identifiers::kValuesFileDevicePath;

    // The top-level dictionary; none when the file is missing or unreadable.
    static std::optional<core::PlistDictionary> read();

    // Applies one change to the file as it is on disk, by the rule every writer of a
    // preference file follows (lock, read again, keep an unreadable file aside, write
    // atomically), in the XML form.
    static core::PreferenceFileUpdate::Result update(
        const core::PreferenceFileUpdate::Change& change);
};

}  // namespace morvane
