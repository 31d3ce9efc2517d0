#include "StoredValues.h"

#include <cstdio>
#include <optional>

#include "core/preferences/PreferenceFileCache.h"

namespace {

std::optional<core::PlistDictionary> readFile() {
    return core::PreferenceFileCache::read(StoredValues::kDevicePath);
}

// Text as it can be printed: control characters (a stored string may hold any, terminal
// escapes included) and backslashes are written as escapes.
std::string printable(const std::string& text) {
    std::string out;
    for (const char character : text) {
        const auto byte = static_cast<unsigned char>(character);
        if (character == '\\' || character == '"') {
            out += '\\';
            out += character;
        } else if (character == '\n') {
            out += "\\n";
        } else if (character == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += character;
        }
    }
    return out;
}

std::string describeValue(const core::PlistValue& value) {
    if (const auto flag = value.asBool()) return *flag ? "YES" : "NO";
    if (const auto integer = value.asInteger()) return std::to_string(*integer);
    if (const auto real = value.asReal()) {
        char text[64];
        std::snprintf(text, sizeof text, "%.17g", *real);
        return text;
    }
    if (const std::string* text = value.asString()) return "\"" + printable(*text) + "\"";
    if (const auto* dictionary = value.asDictionary()) {
        std::string text = "{";
        for (const auto& [key, entry] : *dictionary) {
            text += (text.size() > 1 ? ", " : "") + printable(key) + ": " + describeValue(entry);
        }
        return text + "}";
    }
    return "(other)";
}

}  // namespace

double StoredValues::storedLevel(const std::string& bundleIdentifier, const std::string& kind) {
    const auto values = readFile();
    const core::PlistValue* entry = values ? values->find(bundleIdentifier + "-" + kind) : nullptr;
    const auto level = entry ? entry->asReal() : std::nullopt;
    return level.value_or(-1.0);
}

long long StoredValues::storedToggle(const std::string& bundleIdentifier,
                                     const std::string& toggleName) {
    const auto values = readFile();
    const core::PlistValue* toggles =
        values ? values->find(bundleIdentifier + "-toggles") : nullptr;
    const auto* dictionary = toggles ? toggles->asDictionary() : nullptr;
    const core::PlistValue* state = dictionary ? dictionary->find(toggleName) : nullptr;
    const auto integer = state ? state->asInteger() : std::nullopt;
    return integer.value_or(-1);
}

std::string StoredValues::describe() {
    const auto values = readFile();
    if (!values) return "  (no values file)\n";
    std::string text;
    for (const auto& [key, value] : *values)
        text += "  " + printable(key) + " = " + describeValue(value) + "\n";
    return text.empty() ? "  (empty)\n" : text;
}
