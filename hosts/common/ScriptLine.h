#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One command of a script: its line number, its text and its words (comments removed).
struct ScriptLine {
    int number = 0;
    std::string text;
    std::vector<std::string> words;

    // Splits `text` into words at blanks, dropping everything from "#" on. A line with no
    // words is not a command.
    static ScriptLine parse(int number, const std::string& text);

    // Throws ScriptError when a word holds a NUL byte or is not valid UTF-8: such a word would
    // be cut or garbled on its way to a file name, a key or another process.
    void requireCleanWords() const;
    // The text after the first `skip` words, as written, without the comment and the blanks
    // around it.
    std::string rest(std::size_t skip) const;
    // The text as it can be shown in a message: control characters other than tabs and bytes
    // that are not UTF-8 are written as \xNN.
    std::string printableText() const;
};
