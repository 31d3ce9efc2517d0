#pragma once

#include <optional>
#include <string>

#include "core/plist/PlistValue.h"

namespace morvane {

// One entry of the in-memory values as it was before an edit, so that an edit whose file
// write failed can be taken back: what the user sees then stays what the file holds.
class StoredEntrySnapshot {
  public:
    explicit StoredEntrySnapshot(std::string key);

    // Puts the entry back as it was (or removes it when there was none).
    void restore() const;

  private:
    std::string _key;
    std::optional<core::PlistValue> _value;
};

}  // namespace morvane
