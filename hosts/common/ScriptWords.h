#pragma once

#include <string>

// The word-level parsers of the script languages: each answers the value of one word or
// throws ScriptError naming the word and what was expected. Every number is finite: "nan",
// "inf" and numbers too large for a double are refused.
class ScriptWords {
  public:
    // The longest single wait: the clocks count in nanoseconds, and a scripted run never
    // needs more than days.
    static constexpr double kLongestWait = 1e6;

    // A decimal number (what: the word's role, for the message).
    static double number(const std::string& word, const char* what);
    // A number from `lowest` to `highest`.
    static double numberIn(const std::string& word, const char* what, double lowest,
                           double highest);
    // A number from 0 to 1.
    static double level(const std::string& word);
    // Seconds to wait: from 0 to kLongestWait.
    static double seconds(const std::string& word);
    // A decimal integer from `lowest` to `highest`.
    static long long integer(const std::string& word, const char* what, long long lowest,
                             long long highest);
};
