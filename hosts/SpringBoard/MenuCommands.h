#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "Quantity.h"
#include "ScenarioLine.h"

// The scenario commands and quantities of the home screen's icon menus (docs/scenarios.md):
// shortcut, ios, appearance, direction, press, choose, drag, touch, tap, dismiss, print menu.
class MenuCommands {
  public:
    // Runs the line when it is a menu command; answers false for any other command.
    static bool run(const ScenarioLine& line, std::ostream& out);
    // The value of a menu quantity, or none for a name that is not one.
    static std::optional<QuantityValue> read(const std::string& name);
    // Whether `name` is a quantity whose expected value is the rest of the line.
    static bool isTextQuantity(const std::string& name);
};
