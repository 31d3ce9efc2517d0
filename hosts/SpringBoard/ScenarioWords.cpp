#include "ScenarioWords.h"

#include <cstdlib>

#include "ScenarioError.h"

void ScenarioWords::expectCount(const ScenarioLine& line, std::size_t count, const char* form) {
    if (line.words.size() != count) throw ScenarioError(std::string("expected: ") + form);
}

double ScenarioWords::number(const std::string& word, const char* what) {
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    if (end == word.c_str() || *end != '\0')
        throw ScenarioError(std::string(what) + " '" + word + "' is not a number");
    return value;
}

double ScenarioWords::level(const std::string& word) {
    const double value = number(word, "level");
    if (!(value >= 0 && value <= 1))
        throw ScenarioError("level " + word + " is not between 0 and 1");
    return value;
}

long long ScenarioWords::integer(const std::string& word, const char* what) {
    char* end = nullptr;
    const long long value = std::strtoll(word.c_str(), &end, 10);
    if (end == word.c_str() || *end != '\0')
        throw ScenarioError(std::string(what) + " '" + word + "' is not an integer");
    return value;
}
