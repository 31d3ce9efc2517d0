#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>

#include "HostSession.h"
#include "ScenarioLine.h"

// Plays a scenario on the running host, one line at a time (docs/scenarios.md).
class ScenarioRunner {
  public:
    ScenarioRunner(HostSession& session, std::filesystem::path valuesEditor, std::ostream& out,
                   bool echo);

    // Plays every line of `input`; answers the exit status: 0 when every line ran and every
    // expectation held, 1 at the first line that failed (its message is on `errors`).
    int play(std::istream& input, std::ostream& errors);
    // Called after every command that ran (the snapshot recorder).
    void setAfterCommand(std::function<void(const ScenarioLine&)> afterCommand) {
        _afterCommand = std::move(afterCommand);
    }

  private:
    void echo(const ScenarioLine& line);
    void run(const ScenarioLine& line);
    void runState(const ScenarioLine& line);
    void runShortcut(const ScenarioLine& line, long long taskState, long long visibility);
    void runWait(const ScenarioLine& line);
    void runUser(const ScenarioLine& line);
    void runEdit(const ScenarioLine& line);
    void runSetting(const ScenarioLine& line);
    void runPane(const ScenarioLine& line);
    // Plays a script in a Preferences process on this device root; answers its exit status.
    int playPaneScript(const std::string& script);
    void runRespring();
    void runPrint(const ScenarioLine& line);
    void runExpect(const ScenarioLine& line);
    void runExpectText(const ScenarioLine& line);

    HostSession& _session;
    std::filesystem::path _valuesEditor;
    std::ostream& _out;
    bool _echo;
    std::function<void(const ScenarioLine&)> _afterCommand;
};
