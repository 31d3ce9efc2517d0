#pragma once

#include <string>
#include <vector>

// One command of a scenario: its line number, its text and its words (comments removed).
struct ScenarioLine {
    int number = 0;
    std::string text;
    std::vector<std::string> words;

    // Splits `text` into words at blanks, dropping everything from "#" on. A line with no
    // words is not a command.
    static ScenarioLine parse(int number, const std::string& text);
};
