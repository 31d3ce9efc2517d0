#include "ScriptPlayer.h"

#include <cstdio>
#include <exception>
#include <istream>
#include <ostream>
#include <string>

#include "core/dispatch/Clock.h"

ScriptPlayer::ScriptPlayer(const CommandTable& commands, std::ostream& out, bool echo)
    : _commands(commands), _out(out), _echo(echo) {}

int ScriptPlayer::play(std::istream& input, std::ostream& errors) {
    int number = 0;
    int status = 0;
    for (std::string text; std::getline(input, text);) {
        const ScriptLine line = ScriptLine::parse(++number, text);
        if (_echo) echo(line);
        if (line.words.empty()) continue;
        try {
            line.requireCleanWords();
            _commands.run(line);
            _out.flush();
            if (_afterCommand) _afterCommand(line);
        } catch (const std::exception& error) {
            errors << "line " << line.number << ": " << line.printableText() << "\n  "
                   << error.what() << "\n";
            errors.flush();
            if (!_keepGoing) return 1;
            status = 1;
        }
    }
    return status;
}

void ScriptPlayer::echo(const ScriptLine& line) {
    if (line.words.empty()) {
        _out << line.text << "\n";
    } else {
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "[%6.3f] ", core::Clock::now());
        _out << stamp << line.text << "\n";
    }
    _out.flush();
}
