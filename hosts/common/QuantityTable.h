#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <variant>
#include <vector>

#include "CommandTable.h"

// The present value of a quantity: a number, or a word such as "on", "off" or "indeterminate".
using QuantityValue = std::variant<double, std::string>;

// One quantity a script can check and show. The name is a whole name ("volume") or a family
// ("switch.<toggleName>": what follows "switch." is passed to `read`). A text quantity's
// expected value is the rest of the line (in double quotes it is taken literally); any other
// is one word, a number with an optional tolerance.
struct ScriptQuantity {
    std::string name;
    bool text = false;
    std::function<QuantityValue(const std::string& suffix)> read;
    std::string help;
    // For a family whose suffix may hold blanks ("row.subtitle.<label…>"): whether a suffix
    // names something. The longest run of words it knows is taken as the name.
    std::function<bool(const std::string& suffix)> knowsSpacedSuffix = {};
};

// The quantities of one host, and the `expect` and `show` commands that read them.
class QuantityTable {
  public:
    void add(ScriptQuantity quantity);
    void add(std::vector<ScriptQuantity> quantities);

    // The value of `name`; throws ScriptError for a name that is no quantity.
    QuantityValue read(const std::string& name) const;
    // `expect <quantity> <value> [<tolerance>]`: throws ScriptError unless the value holds.
    void expect(const ScriptLine& line) const;
    // How a value is written: numbers with six significant digits.
    static std::string describe(const QuantityValue& value);

    // `expect …` and `show <quantity>` (which writes "<quantity> <value>" on `out`).
    std::vector<ScriptCommand> commands(std::ostream& out) const;
    // Every quantity, one a line, for --help.
    std::string help() const;

  private:
    const ScriptQuantity* find(const std::string& name, std::string& suffix) const;
    // The quantity's name on the line (from its second word) and how many words it takes.
    std::size_t nameOnLine(const ScriptLine& line, std::string& name) const;
    void expectText(const ScriptLine& line, std::size_t first, const QuantityValue& value) const;

    std::vector<ScriptQuantity> _quantities;
};
