#pragma once

#include <iosfwd>
#include <vector>

#include "CommandTable.h"

// The scenario commands of the home screen's icon menus (docs/scenarios.md): shortcut, ios,
// appearance, direction, press, choose, drag, touch, tap, dismiss, print menu.
class MenuCommands {
  public:
    static std::vector<ScriptCommand> commands(std::ostream& out);
};
