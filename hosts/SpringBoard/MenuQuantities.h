#pragma once

#include <vector>

#include "QuantityTable.h"

// The scenario quantities of the home screen's icon menus (docs/scenarios.md): the menu, its
// rows, the open editor and its parts, haptics and launches.
class MenuQuantities {
  public:
    static std::vector<ScriptQuantity> quantities();
};
