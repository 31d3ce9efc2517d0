// libFuzzer target for the script languages: splitting a line into words, the clean-text
// check, then every word-level parser on each word. Running a line needs a whole host and is
// left to the scenario tests; here any text must parse or be refused with a ScriptError,
// nothing else, and no parser may answer a number that is not finite or out of its range.
#include "ScriptError.h"
#include "ScriptLine.h"
#include "ScriptWords.h"

#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

template <class Parse>
void tryParse(Parse parse) {
    try {
        parse();
    } catch (const ScriptError&) {
        // refused with a message: what a bad line must get
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ScriptLine line =
        ScriptLine::parse(1, std::string(reinterpret_cast<const char*>(data), size));
    if (line.printableText().find('\0') != std::string::npos) std::abort();
    tryParse([&] { line.requireCleanWords(); });
    for (const std::string& word : line.words) {
        if (word.empty() || word.find_first_of(" \t\n\v\f\r#") != std::string::npos) std::abort();
        tryParse([&] {
            if (!std::isfinite(ScriptWords::number(word, "number"))) std::abort();
        });
        tryParse([&] { ScriptWords::integer(word, "integer", LLONG_MIN, LLONG_MAX); });
        tryParse([&] {
            const double level = ScriptWords::level(word);
            if (!(level >= 0 && level <= 1)) std::abort();
        });
        tryParse([&] {
            const double seconds = ScriptWords::seconds(word);
            if (!(seconds >= 0 && seconds <= ScriptWords::kLongestWait)) std::abort();
        });
    }
    return 0;
}
