#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shared/AppValuesTable.h"

// Reads the apps' values of an import file, JSON or a property list (XML or binary) in the
// values file's key form, recognised from its content, and checks every entry before any is
// used: the first problem is named and nothing is read.
class ValuesImport {
  public:
    struct Read {
        std::optional<morvane::app_values::AppValuesTable> apps;
        std::string problem;  // names the entry, when there are no apps
    };
    static Read read(std::string_view bytes);

  private:
    static Read readJson(std::string_view bytes);
    static Read readPropertyList(std::string_view bytes);
};
