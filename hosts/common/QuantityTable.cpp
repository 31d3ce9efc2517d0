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

std::size_t QuantityTable::nameOnLine(const ScriptLine& line, std::string& name) const {
    name = line.words[1];
    for (std::size_t count = line.words.size() - 1; count > 1; --count) {
        std::string candidate = line.words[1];
        for (std::size_t index = 2; index <= count; ++index) candidate += " " + line.words[index];
        std::string suffix;
        const ScriptQuantity* quantity = find(candidate, suffix);
        if (!quantity || !quantity->knowsSpacedSuffix || !quantity->knowsSpacedSuffix(suffix))
            continue;
        name = candidate;
        return count;
    }
    return 1;
}

void QuantityTable::expect(const ScriptLine& line) const {
    std::string name;
    const std::size_t first = 1 + nameOnLine(line, name);
    std::string suffix;
    const ScriptQuantity* quantity = find(name, suffix);
    if (!quantity) throw ScriptError("unknown quantity '" + name + "'");
    const QuantityValue value = quantity->read(suffix);
    if (quantity->text) {
        expectText(line, first, value);
        return;
    }
    if (line.words.size() <= first) throw ScriptError("expected: expect " + name + " <value>");
    const std::string& expected = line.words[first];
    if (const auto* word = std::get_if<std::string>(&value)) {
        if (line.words.size() != first + 1)
            throw ScriptError("expected: expect " + name + " <value> (a word, no tolerance)");
        if (*word != expected)
            throw ScriptError("expected " + name + " " + expected + ", but it is " + *word);
        return;
    }
    if (line.words.size() > first + 2)
        throw ScriptError("expected: expect " + name + " <value> [<tolerance>]");
    const double wanted = ScriptWords::number(expected, "value");
    const double tolerance = line.words.size() == first + 2
                                 ? ScriptWords::numberIn(line.words[first + 1], "tolerance", 0,
                                                         std::numeric_limits<double>::max())
                                 : kDefaultTolerance;
    if (!(std::fabs(std::get<double>(value) - wanted) <= tolerance))
        throw ScriptError("expected " + name + " " + expected + ", but it is " + describe(value));
}

// A text quantity's expected value is the rest of the line, or the text between double quotes.
void QuantityTable::expectText(const ScriptLine& line, std::size_t first,
                               const QuantityValue& value) const {
    std::string expected = line.rest(first);
    if (expected.size() >= 2 && expected.front() == '"' && expected.back() == '"')
        expected = expected.substr(1, expected.size() - 2);
    const std::string actual = describe(value);
    if (actual != expected) {
        std::string name;
        nameOnLine(line, name);
        throw ScriptError("expected " + name + " \"" + expected + "\", but it is \"" + actual +
                          "\"");
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
        {"show", "<quantity> [<label…>]",
         [this, &out](const ScriptLine& line) {
             std::string name;
             if (1 + nameOnLine(line, name) != line.words.size())
                 throw ScriptError("expected: show <quantity>");
             out << name << " " << describe(read(name)) << "\n";
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
