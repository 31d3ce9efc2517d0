// libFuzzer target for the scenario language: splitting a line into words, then every
// word-level parser on each word. Running a line needs a whole host and is left to the
// scenario tests; here any text must parse or be refused with a ScenarioError, nothing else.
#include "ScenarioError.h"
#include "ScenarioLine.h"
#include "ScenarioWords.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

template <class Parse>
void tryParse(Parse parse) {
    try {
        parse();
    } catch (const ScenarioError&) {
        // refused with a message: what a bad line must get
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ScenarioLine line =
        ScenarioLine::parse(1, std::string(reinterpret_cast<const char*>(data), size));
    for (const std::string& word : line.words) {
        if (word.empty() || word.find_first_of(" \t\n\v\f\r#") != std::string::npos) std::abort();
        tryParse([&] { ScenarioWords::number(word, "number"); });
        tryParse([&] { ScenarioWords::integer(word, "integer"); });
        tryParse([&] {
            const double level = ScenarioWords::level(word);
            if (!(level >= 0 && level <= 1)) std::abort();
        });
    }
    tryParse([&] { ScenarioWords::expectCount(line, 2, "two words"); });
    return 0;
}
