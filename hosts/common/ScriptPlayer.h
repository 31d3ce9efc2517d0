#pragma once

#include <functional>
#include <iosfwd>

#include "CommandTable.h"
#include "ScriptLine.h"

// Plays a script one line at a time through a host's command table: shows each line with
// the clock's time when asked to, refuses words that are not clean text, and stops at the
// first line that fails with "line N: <line>" and the reason.
class ScriptPlayer {
  public:
    ScriptPlayer(const CommandTable& commands, std::ostream& out, bool echo);

    // Called after every command that ran, inside the line (what it throws fails the line).
    void setAfterCommand(std::function<void(const ScriptLine&)> afterCommand) {
        _afterCommand = std::move(afterCommand);
    }
    // Goes on after a line that failed (its message still written); play then answers 1 at
    // the end. For a person or a program typing lines one at a time.
    void setKeepGoing(bool keepGoing) { _keepGoing = keepGoing; }
    // Plays every line of `input`; answers 0 when every line ran and every expectation
    // held, 1 at the first line that failed (its message is on `errors`).
    int play(std::istream& input, std::ostream& errors);

  private:
    void echo(const ScriptLine& line);

    const CommandTable& _commands;
    std::ostream& _out;
    bool _echo;
    bool _keepGoing = false;
    std::function<void(const ScriptLine&)> _afterCommand;
};
