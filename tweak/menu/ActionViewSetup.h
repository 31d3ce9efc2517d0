#pragma once

#include <optional>
#include <string>

#include "rt/Class.h"
#include "rt/Object.h"
#include "rt/Ref.h"
#include "rt/Selector.h"

namespace morvane {

// The creation of each menu row: 0.1 s after the host made it, the row's setup detects the
// dark-mode appearance in use, registers the custom entries' rows with the menu's controller
// and draws the "Toggles" entry's row of enabled toggles.
class ActionViewSetup {
  public:
    static constexpr double kSetupDelay = 0.1;

    // Replacements of "initWithAction:" and "layoutSubviews" of "SBUIActionView": the
    // host's initializer first, then the setup is scheduled (holding the row and its action
    // until it has run); the layout is intercepted and left to the host.
    static rt::Ref<rt::Object> initWithAction(rt::Object* self, rt::Selector cmd,
                                              rt::Object* action);
    static void layoutSubviews(rt::Object* self, rt::Selector cmd);

    // "completeActionViewSetup": dark-mode detection, then registration by the action's
    // title.
    static void completeActionViewSetup(rt::Object* row, rt::Object* action);

    // Which of the known dark-mode appearances the row shows: "dune", "noctis", "carbon",
    // or none. The tests run in that order; the first that matches wins.
    static std::optional<std::string> detectDarkMode(rt::Object* row);
};

}  // namespace morvane
