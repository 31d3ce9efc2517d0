#include "ScriptWords.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ScriptError.h"

namespace {

std::string shown(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

double ScriptWords::number(const std::string& word, const char* what) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(word.c_str(), &end);
    if (end == word.c_str() || *end != '\0' || end != word.c_str() + word.size())
        throw ScriptError(std::string(what) + " '" + word + "' is not a number");
    if (!std::isfinite(value) || errno == ERANGE)
        throw ScriptError(std::string(what) + " '" + word + "' is not a finite number");
    return value;
}

double ScriptWords::numberIn(const std::string& word, const char* what, double lowest,
                             double highest) {
    const double value = number(word, what);
    if (value < lowest || value > highest)
        throw ScriptError(std::string(what) + " " + word + " is not between " + shown(lowest) +
                          " and " + shown(highest));
    return value;
}

double ScriptWords::level(const std::string& word) {
    return numberIn(word, "level", 0, 1);
}

double ScriptWords::seconds(const std::string& word) {
    const double value = number(word, "wait");
    if (value < 0) throw ScriptError("cannot wait a negative time");
    if (value > kLongestWait)
        throw ScriptError("wait " + word + " is longer than " + shown(kLongestWait) + " s");
    return value;
}

long long ScriptWords::integer(const std::string& word, const char* what, long long lowest,
                               long long highest) {
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(word.c_str(), &end, 10);
    if (end == word.c_str() || *end != '\0' || end != word.c_str() + word.size())
        throw ScriptError(std::string(what) + " '" + word + "' is not an integer");
    if (errno == ERANGE || value < lowest || value > highest)
        throw ScriptError(std::string(what) + " " + word + " is not between " +
                          std::to_string(lowest) + " and " + std::to_string(highest));
    return value;
}
