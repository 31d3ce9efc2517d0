#pragma once

#include <vector>

#include "PaneState.h"
#include "QuantityTable.h"

// The quantities of a pane script (docs/preferences.md): what the page in front shows, what
// the settings file holds, what the pane posted and launched.
class PaneQuantities {
  public:
    static std::vector<ScriptQuantity> quantities(const PaneState& state);
};
