#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "CommandTable.h"
#include "PaneState.h"
#include "QuantityTable.h"
#include "rt/Weak.h"
#include "ui/AlertController.h"

// The script language of the Settings app (docs/preferences.md): opens a pane, moves between
// its pages, flips switches, scrolls, taps the restart button, checks what the pages show,
// the file holds and the pane posted or launched, and draws the screen into pictures.
class PaneScript {
  public:
    explicit PaneScript(std::ostream& out);

    // Starts the Settings app in the booted world and counts the reloads it posts.
    void begin();
    // Delivers the notifications a line posted, so that `posted` counts each post.
    void settle();

    const CommandTable& commands() const { return _commands; }
    const QuantityTable& quantities() const { return _quantities; }

  private:
    std::vector<ScriptCommand> paneCommands();
    void runGoto(const std::string& key);
    void runTap(const std::string& label);
    void runSwitch(const std::string& key, const std::string& state);
    void runRespring();
    void runSnapshot(const std::string& file);
    void runPrint();
    void runOk();
    void runDelete(const std::string& label);
    // Answers the action sheet on screen: its cancel button, or the other one.
    void answerSheet(bool confirm);
    // A tap anywhere closes an alert that is still on screen, as its button would.
    void closeAlert();

    std::ostream& _out;
    PaneState _state;
    rt::Weak<ui::AlertController> _toldAlert;
    CommandTable _commands;
    QuantityTable _quantities;
};
