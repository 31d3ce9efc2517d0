#include "ScenarioLine.h"

#include <sstream>

ScenarioLine ScenarioLine::parse(int number, const std::string& text) {
    ScenarioLine line{number, text, {}};
    const std::string command = text.substr(0, text.find('#'));
    std::istringstream words(command);
    for (std::string word; words >> word;) line.words.push_back(word);
    return line;
}
