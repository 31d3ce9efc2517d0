#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "ScriptLine.h"

// One command of a script language: its name (one word, or several for a command with
// forms: "user volume"), the words that follow it ("<bundleId>", "[<tolerance>]",
// "<title…>"), what it does and the line --help shows for it.
struct ScriptCommand {
    std::string name;
    std::string words;
    std::function<void(const ScriptLine&)> handler;
    std::string help;
};

// The commands of one host's language. A line runs the command whose name its first words
// are (the longest such name) when the count of the words after it fits the command's
// words; else it is refused with every form of commands that start with its first word.
class CommandTable {
  public:
    void add(ScriptCommand command);
    void add(std::vector<ScriptCommand> commands);

    // Runs the line's command; throws ScriptError for an unknown command or wrong words.
    void run(const ScriptLine& line) const;
    // Every command, one a line: its form and its help, in the order they were added.
    std::string help() const;

  private:
    struct Entry {
        ScriptCommand command;
        std::vector<std::string> nameWords;
        std::size_t fewestWords = 0;
        std::size_t mostWords = 0;
    };
    static std::string form(const Entry& entry);
    const Entry* match(const ScriptLine& line) const;

    std::vector<Entry> _entries;
};
