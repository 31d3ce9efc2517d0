#include "EditCommand.h"

#include <cstdlib>
#include <optional>

#include "shared/AppValueRules.h"

namespace {

namespace values = morvane::app_values;
using Words = std::vector<std::string>;

std::optional<float> parseLevel(const std::string& text) {
    char* end = nullptr;
    const double level = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !(level >= 0.0 && level <= 1.0)) return std::nullopt;
    return static_cast<float>(level);
}

bool isValidStore(const Words& words) {
    if (words.size() < 3 || !values::isBundleIdentifier(words[1])) return false;
    const std::string& what = words[2];
    if (what == "clear") return words.size() == 3;
    if (what == "volume" || what == "brightness")
        return words.size() == 4 && parseLevel(words[3]).has_value();
    return what == "toggle" && words.size() == 5 && values::isToggleName(words[3]) &&
           (words[4] == "on" || words[4] == "off" || words[4] == "unset");
}

void storeToggle(core::PlistDictionary& file, const std::string& app, const std::string& name,
                 const std::string& state) {
    const std::string key = values::keyFor(app, values::ValueKind::Toggles);
    const core::PlistValue* stored = file.find(key);
    // A new dictionary replaces the old one, as every writer of this file does.
    core::PlistDictionary toggles =
        stored && stored->asDictionary() ? *stored->asDictionary() : core::PlistDictionary{};
    if (state == "unset")
        toggles.remove(name);
    else
        toggles.set(name, core::PlistValue(std::int32_t{state == "on" ? 1 : 0}));
    file.set(key, core::PlistValue(std::move(toggles)));
}

}  // namespace

bool EditCommand::isValid(const Words& words) {
    if (!words.empty() && words[0] == "setting")
        return words.size() == 3 && !words[1].empty() && (words[2] == "on" || words[2] == "off");
    return !words.empty() && words[0] == "store" && isValidStore(words);
}

void EditCommand::apply(core::PlistDictionary& file, const Words& words) {
    if (words[0] == "setting") {
        file.set(words[1], core::PlistValue(words[2] == "on"));
        return;
    }
    const std::string& app = words[1];
    const std::string& what = words[2];
    if (what == "clear") {
        for (const auto& [kind, suffix] : values::kKeySuffixes)
            file.remove(values::keyFor(app, kind));
    } else if (what == "volume" || what == "brightness") {
        const auto kind =
            what == "volume" ? values::ValueKind::Volume : values::ValueKind::Brightness;
        file.set(values::keyFor(app, kind), core::PlistValue(*parseLevel(words[3])));
    } else {
        storeToggle(file, app, words[3], words[4]);
    }
}
