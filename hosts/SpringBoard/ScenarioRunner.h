#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

#include "ChildProgram.h"
#include "CommandTable.h"
#include "HostSession.h"
#include "QuantityTable.h"

// The scenario language of the home-screen host (docs/scenarios.md): its commands and
// quantities, played on the running host.
class ScenarioRunner {
  public:
    // `tools`: the directory of ValuesEditor and Preferences, which `store`, `setting` and
    // `pane` run. Output goes to `out`; what those programs report, to `errors`.
    ScenarioRunner(HostSession& session, std::filesystem::path tools, std::ostream& out,
                   std::ostream& errors);

    const CommandTable& commands() const { return _commands; }
    const QuantityTable& quantities() const { return _quantities; }

  private:
    std::vector<ScriptCommand> hostCommands();
    void runUser(const ScriptLine& line);
    void runEdit(const ScriptLine& line);
    void runSetting(const ScriptLine& line);
    void runPane(const ScriptLine& line);
    // Plays a script in a Preferences process on this device root, handing it the script on
    // its standard input.
    ChildProgram::Result playPaneScript(const std::string& script);
    void waitForReload(int seen);
    void runPrint(const std::string& what, const std::string& argument);

    HostSession& _session;
    std::filesystem::path _tools;
    std::ostream& _out;
    std::ostream& _errors;
    CommandTable _commands;
    QuantityTable _quantities;
};
