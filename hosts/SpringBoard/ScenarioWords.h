#pragma once

#include <cstddef>
#include <string>

#include "ScenarioLine.h"

// The word-level parsers of the scenario language: each answers the value of one word of a
// line or throws ScenarioError naming the word and what was expected.
class ScenarioWords {
  public:
    // Throws unless the line has exactly `count` words; `form` is the line's expected shape.
    static void expectCount(const ScenarioLine& line, std::size_t count, const char* form);
    // A decimal number (what: the word's role, for the message).
    static double number(const std::string& word, const char* what);
    // A number from 0 to 1.
    static double level(const std::string& word);
    // A decimal integer.
    static long long integer(const std::string& word, const char* what);
};
