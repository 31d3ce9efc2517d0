#pragma once

#include <iosfwd>
#include <string>

#include "ScenarioLine.h"
#include "settings/SettingsApp.h"

// Plays a script on the Settings app (docs/preferences.md): opens a pane, moves between its
// pages, flips switches, scrolls, taps the restart button, and checks what the pages show,
// the file holds and the pane posted or launched, and draws the screen into pictures.
class PaneScript {
  public:
    static constexpr const char* kReloadNotification = "com.kelvrin.morvane/ReloadPrefs";

    PaneScript(settings::SettingsApp& app, std::ostream& out, bool echo);

    // Plays every line; answers 0 when all ran and every expectation held, 1 at the first
    // line that did not (its message on `errors`).
    int play(std::istream& input, std::ostream& errors);

  private:
    void run(const ScenarioLine& line);
    void runOpen(const ScenarioLine& line);
    void runGoto(const ScenarioLine& line);
    void runTap(const ScenarioLine& line);
    void runSwitch(const ScenarioLine& line);
    void runScroll(const ScenarioLine& line);
    void runRespring();
    void runBack();
    void runWait(const ScenarioLine& line);
    void runPrint(const ScenarioLine& line);
    void runSnapshot(const ScenarioLine& line);
    void runExpect(const ScenarioLine& line);
    void settle();

    rt::Ref<settings::PSListController> requireFront() const;
    std::string quantity(const std::string& name);

    settings::SettingsApp& _app;
    std::ostream& _out;
    bool _echo;
    int _posted = 0;
};
