#pragma once

#include <string>
#include <vector>

#include "core/plist/PlistDictionary.h"

// The edits `store` and `setting` make to the values file: one app's level or toggle, every
// value of an app, or one global setting.
class EditCommand {
  public:
    // Whether the words are an edit this tool understands (a well-formed bundle identifier,
    // a level within 0..1, a known toggle name, on/off/unset).
    static bool isValid(const std::vector<std::string>& words);
    // Applies the edit to the file's dictionary; words must be valid.
    static void apply(core::PlistDictionary& values, const std::vector<std::string>& words);
};
