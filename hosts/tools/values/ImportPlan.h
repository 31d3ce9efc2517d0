#pragma once

#include <string>
#include <utility>

#include "core/plist/PlistDictionary.h"
#include "shared/AppValuesTable.h"

// What an import does to the values file: --merge sets each value the import gives (a level,
// one toggle) and keeps the rest; --replace replaces every app's values with the import's.
// The settings and anything else in the file are kept either way.
class ImportPlan {
  public:
    ImportPlan(morvane::app_values::AppValuesTable imported, bool replace)
        : _imported(std::move(imported)), _replace(replace) {}

    // Applies the import to the file's dictionary (under the writers' lock, to the file as it
    // is on disk).
    void apply(core::PlistDictionary& file) const;

    // What applying it to `file` would change, one app a line ("add", "change", "remove"),
    // and a last line counting them.
    std::string describeChanges(const core::PlistDictionary& file) const;

  private:
    void merge(core::PlistDictionary& file, const std::string& bundleId,
               const morvane::app_values::AppValueSet& app) const;

    morvane::app_values::AppValuesTable _imported;
    bool _replace;
};
