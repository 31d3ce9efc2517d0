#pragma once

#include <optional>
#include <string>

#include "core/plist/PlistValue.h"

// The application-value preference functions of the phone, over the domains' files. A value
// set in a process is seen by that process at once and reaches the file (and so the other
// processes) at the next synchronize of its domain.
namespace core {

// Sets (or, with none, removes) `key` of the domain `applicationId`.
void CFPreferencesSetAppValue(const std::string& key, std::optional<PlistValue> value,
                              const std::string& applicationId);

// Writes the domain's pending changes into its file, atomically. Answers whether the file now
// holds them (true when there was nothing to write).
bool CFPreferencesAppSynchronize(const std::string& applicationId);

// The value of `key`: a pending change, else the stored value, else none.
std::optional<PlistValue> CFPreferencesCopyAppValue(const std::string& key,
                                                    const std::string& applicationId);

// The value of `key` read as a boolean; `keyExistsAndHasValidFormat` (may be null) tells
// whether a boolean-like value was there. Answers false when none was.
bool CFPreferencesGetAppBooleanValue(const std::string& key, const std::string& applicationId,
                                     bool* keyExistsAndHasValidFormat);

// Forgets every pending change of the process (a fresh world).
void resetAppPreferencesForTesting();

}  // namespace core
