#pragma once

#include <string>
#include <vector>

#include "rt/Ref.h"
#include "settings/PSSpecifier.h"

namespace settings {

// A specifier file of a preference bundle ("<Name>.plist"): a dictionary whose "items" array
// lists the rows, each a dictionary with "cell" (PSGroupCell, PSSwitchCell, PSLinkCell,
// PSButtonCell, PSEditTextCell, ...), "label", and the row's other properties ("key",
// "default", "defaults", "PostNotification", "footerText", "detail", "action", ...), and an
// optional "title".
class SpecifierFile {
  public:
    struct Contents {
        std::string title;
        std::vector<rt::Ref<PSSpecifier>> specifiers;
    };

    // Reads the file at the device path; none when it is missing, unreadable or not a
    // specifier file. Items that are not dictionaries, or name an unknown cell, are skipped.
    // Every row gets `target` and the accessors "readPreferenceValue:" and
    // "setPreferenceValue:specifier:" (or those named by its "get" and "set" properties).
    static std::optional<Contents> load(const std::string& devicePath, rt::Object* target);

    // The cell kind a "cell" name stands for; none for an unknown name.
    static std::optional<PSCellType> cellTypeNamed(const std::string& name);
};

}  // namespace settings
