#include "QuantityTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <ostream>

#include "ScriptError.h"
#include "ScriptWords.h"

namespace {

constexpr double kDefaultTolerance = 1e-6;

// The fixed part of a quantity's name: all of it, or what comes before its "<…>" part.
std::string fixedPart(const std::string& name) {
    return name.substr(0, name.find('<'));
}

bool isFamily(const std::string& name) {
    return name.find('<') != std::string::npos;
}

}  // namespace

void QuantityTable::add(ScriptQuantity quantity) {
    _quantities.push_back(std::move(quantity));
}

void QuantityTable::add(std::vector<ScriptQuantity> quantities) {
    for (auto& quantity : quantities) add(std::move(quantity));
}

// A whole name wins over a family; of the families, the one with the longest fixed part.
const ScriptQuantity* QuantityTable::find(const std::string& name, std::string& suffix) const {
    const ScriptQuantity* best = nullptr;
    for (const auto& quantity : _quantities) {
        if (!isFamily(quantity.name)) {
            if (quantity.name != name) continue;
            suffix.clear();
            return &quantity;
        }
        const std::string prefix = fixedPart(quantity.name);
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        if (!best || prefix.size() > fixedPart(best->name).size()) best = &quantity;
    }
    if (best) suffix = name.substr(fixedPart(best->name).size());
    return best;
}

QuantityValue QuantityTable::read(const std::string& name) const {
    std::string suffix;
    const ScriptQuantity* quantity = find(name, suffix);
    if (!quantity) throw ScriptError("unknown quantity '" + name + "'");
    return quantity->read(suffix);
}

void QuantityTable::expect(const ScriptLine& line) const {
    const std::string& name = line.words[1];
    std::string suffix;
    const ScriptQuantity* quantity = find(name, suffix);
    if (!quantity) throw ScriptError("unknown quantity '" + name + "'");
    const QuantityValue value = quantity->read(suffix);
    if (quantity->text) {
        expectText(line, value);
        return;
    }
    const std::string& expected = line.words[2];
    if (const auto* word = std::get_if<std::string>(&value)) {
        if (line.words.size() != 3)
            throw ScriptError("expected: expect " + name + " <value> (a word, no tolerance)");
        if (*word != expected)
            throw ScriptError("expected " + name + " " + expected + ", but it is " + *word);
        return;
    }
    if (line.words.size() > 4)
        throw ScriptError("expected: expect " + name + " <value> [<tolerance>]");
    const double wanted = ScriptWords::number(expected, "value");
    const double tolerance = line.words.size() == 4
                                 ? ScriptWords::numberIn(line.words[3], "tolerance", 0,
                                                         std::numeric_limits<double>::max())
                                 : kDefaultTolerance;
    if (!(std::fabs(std::get<double>(value) - wanted) <= tolerance))
        throw ScriptError("expected " + name + " " + expected + ", but it is " + describe(value));
}

// A text quantity's expected value is the rest of the line, or the text between double quotes.
void QuantityTable::expectText(const ScriptLine& line, const QuantityValue& value) const {
    std::string expected = line.rest(2);
    if (expected.size() >= 2 && expected.front() == '"' && expected.back() == '"')
        expected = expected.substr(1, expected.size() - 2);
    const std::string actual = describe(value);
    if (actual != expected) {
        throw ScriptError("expected " + line.words[1] + " \"" + expected + "\", but it is \"" +
                          actual + "\"");
    }
}

std::string QuantityTable::describe(const QuantityValue& value) {
    if (const auto* word = std::get_if<std::string>(&value)) return *word;
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", std::get<double>(value));
    return text;
}

std::vector<ScriptCommand> QuantityTable::commands(std::ostream& out) const {
    return {
        {"expect", "<quantity> <value…> [<tolerance>]",
         [this](const ScriptLine& line) { expect(line); },
         "stops the run unless the quantity has the value (numbers within the tolerance, "
         "1e-6 without one)"},
        {"show", "<quantity>",
         [this, &out](const ScriptLine& line) {
             out << line.words[1] << " " << describe(read(line.words[1])) << "\n";
             out.flush();
         },
         "writes one line: the quantity's name and its value"},
    };
}

std::string QuantityTable::help() const {
    std::size_t width = 0;
    for (const auto& quantity : _quantities) width = std::max(width, quantity.name.size());
    std::string text;
    for (const auto& quantity : _quantities) {
        text += "  " + quantity.name + std::string(width - quantity.name.size() + 2, ' ') +
                quantity.help + "\n";
    }
    return text;
}
