#include "ValuesImport.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "JsonForm.h"
#include "core/plist/PlistReader.h"

namespace values = morvane::app_values;

namespace {

// A problem found in the file: the message names the entry.
struct Problem {
    std::string message;
};

std::string describe(const core::PlistValue& value) {
    if (value.asBool()) return *value.asBool() ? "true" : "false";
    if (const auto number = value.asNumber()) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", *number);
        return text;
    }
    if (value.asString()) return "the text \"" + *value.asString() + "\"";
    if (value.asDictionary()) return "a dictionary";
    if (value.asArray()) return "an array";
    return "a value of another kind";
}

double levelFrom(const core::PlistValue& value, const std::string& entry) {
    const auto number = value.asBool() ? std::nullopt : value.asNumber();
    if (!number) throw Problem{entry + ": a level is a number from 0 to 1, not " + describe(value)};
    if (!std::isfinite(*number) || *number < 0.0 || *number > 1.0)
        throw Problem{entry + ": " + describe(value) + " is outside 0 to 1"};
    return static_cast<double>(static_cast<float>(*number));
}

// JSON toggles are true or false; a property list's are 1 or 0 (or booleans).
bool stateFrom(const core::PlistValue& value, const std::string& entry, bool json) {
    if (const auto flag = value.asBool()) return *flag;
    const auto integer = json ? std::nullopt : value.asInteger();
    if (integer && (*integer == 0 || *integer == 1)) return *integer == 1;
    throw Problem{entry + ": a toggle is " + (json ? "true or false" : "1 or 0") + ", not " +
                  describe(value)};
}

std::map<std::string, bool> togglesFrom(const core::PlistValue& value, const std::string& entry,
                                        bool json) {
    const core::PlistDictionary* stored = value.asDictionary();
    if (!stored) throw Problem{entry + ": toggles are a dictionary, not " + describe(value)};
    std::map<std::string, bool> toggles;
    for (const auto& [name, state] : *stored) {
        if (!values::isToggleName(name))
            throw Problem{entry + ": unknown toggle name \"" + name + "\""};
        toggles[name] = stateFrom(state, entry + "." + name, json);
    }
    return toggles;
}

void requireBundleIdentifier(const std::string& bundleId, const std::string& entry) {
    if (!values::isBundleIdentifier(bundleId))
        throw Problem{entry + ": malformed bundle identifier \"" + bundleId + "\""};
}

values::AppValueSet appFromJson(const std::string& bundleId, const core::PlistValue& value) {
    requireBundleIdentifier(bundleId, "apps");
    const core::PlistDictionary* fields = value.asDictionary();
    if (!fields)
        throw Problem{bundleId + ": an app's values are an object, not " + describe(value)};
    values::AppValueSet app;
    for (const auto& [name, field] : *fields) {
        const std::string entry = bundleId + "." + name;
        if (name == "volume")
            app.volume = levelFrom(field, entry);
        else if (name == "brightness")
            app.brightness = levelFrom(field, entry);
        else if (name == "toggles")
            app.toggles = togglesFrom(field, entry, true);
        else
            throw Problem{entry + ": unknown value (volume, brightness or toggles)"};
    }
    return app;
}

// The entry's bundle identifier and kind, by its suffix; throws for any other key.
std::pair<std::string, values::ValueKind> splitKey(const std::string& key) {
    for (const auto& [kind, suffix] : values::kKeySuffixes) {
        if (key.size() <= suffix.size() || !key.ends_with(suffix)) continue;
        const std::string bundleId = key.substr(0, key.size() - suffix.size());
        requireBundleIdentifier(bundleId, key);
        return {bundleId, kind};
    }
    throw Problem{key + ": not an app's value (<bundleId>-volume, -brightness or -toggles)"};
}

}  // namespace

ValuesImport::Read ValuesImport::read(std::string_view bytes) {
    std::size_t start = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (start < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[start]))) ++start;
    if (start < bytes.size() && bytes[start] == '{') return readJson(bytes);
    if (bytes.starts_with("bplist") || (start < bytes.size() && bytes[start] == '<'))
        return readPropertyList(bytes);
    return {std::nullopt, "the file is neither JSON nor a property list"};
}

ValuesImport::Read ValuesImport::readJson(std::string_view bytes) {
    const auto document = JsonForm::read(bytes);
    if (!document) return {std::nullopt, "the file is not valid JSON"};
    const core::PlistDictionary* top = document->asDictionary();
    const core::PlistValue* apps = top ? top->find("apps") : nullptr;
    if (!apps || !apps->asDictionary() || top->size() != 1)
        return {std::nullopt, "the JSON holds no \"apps\" object (and nothing else)"};
    try {
        values::AppValuesTable table;
        for (const auto& [bundleId, value] : *apps->asDictionary())
            table[bundleId] = appFromJson(bundleId, value);
        return {std::move(table), {}};
    } catch (const Problem& problem) {
        return {std::nullopt, problem.message};
    }
}

ValuesImport::Read ValuesImport::readPropertyList(std::string_view bytes) {
    const auto document = core::parsePropertyListStrictly(bytes);
    if (!document) return {std::nullopt, "the file is not a valid property list"};
    const core::PlistDictionary* top = document->asDictionary();
    if (!top) return {std::nullopt, "the property list holds no dictionary"};
    try {
        values::AppValuesTable table;
        for (const auto& [key, value] : *top) {
            const auto [bundleId, kind] = splitKey(key);
            values::AppValueSet& app = table[bundleId];
            if (kind == values::ValueKind::Toggles)
                app.toggles = togglesFrom(value, key, false);
            else
                (kind == values::ValueKind::Volume ? app.volume : app.brightness) =
                    levelFrom(value, key);
        }
        return {std::move(table), {}};
    } catch (const Problem& problem) {
        return {std::nullopt, problem.message};
    }
}
