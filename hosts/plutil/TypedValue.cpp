#include "TypedValue.h"

#include <charconv>
#include <cstdint>
#include <optional>

#include "JsonForm.h"
#include "core/plist/PlistBase64.h"
#include "core/plist/PlistDateFormat.h"
#include "core/plist/PlistReader.h"

namespace {

std::string lowercase(std::string text) {
    for (char& character : text) {
        if (character >= 'A' && character <= 'Z') character = static_cast<char>(character - 'A' + 'a');
    }
    return text;
}

template <typename Number>
std::optional<Number> wholeNumber(const std::string& text) {
    Number number{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

std::optional<core::PlistValue> parseBool(const std::string& text) {
    const std::string word = lowercase(text);
    if (word == "yes" || word == "true" || word == "1") return core::PlistValue(true);
    if (word == "no" || word == "false" || word == "0") return core::PlistValue(false);
    return std::nullopt;
}

std::optional<core::PlistValue> parseInteger(const std::string& text) {
    const std::string digits = text.starts_with('+') ? text.substr(1) : text;
    if (const auto number = wholeNumber<std::int64_t>(digits)) return core::PlistValue(*number);
    if (const auto number = wholeNumber<std::uint64_t>(digits)) return core::PlistValue(*number);
    return std::nullopt;
}

std::optional<core::PlistValue> parseFloat(const std::string& text) {
    const std::string digits = text.starts_with('+') ? text.substr(1) : text;
    if (const auto number = wholeNumber<double>(digits)) return core::PlistValue(*number);
    return std::nullopt;
}

std::optional<core::PlistValue> parseText(const std::string& type, const std::string& text) {
    if (type == "bool") return parseBool(text);
    if (type == "integer") return parseInteger(text);
    if (type == "float") return parseFloat(text);
    if (type == "string") return core::PlistValue(text);
    if (type == "date") {
        const auto seconds = core::PlistDateFormat::parse(text);
        return seconds ? std::optional(core::PlistValue::date(*seconds)) : std::nullopt;
    }
    if (type == "data") {
        auto bytes = core::PlistBase64::decode(text);
        return bytes ? std::optional(core::PlistValue::data(std::move(*bytes))) : std::nullopt;
    }
    if (type == "xml") return text.starts_with("bplist") ? std::nullopt : core::parsePropertyList(text);
    if (type == "json") return JsonForm::read(text);
    return std::nullopt;
}

}  // namespace

core::PlistValue TypedValue::parse(const std::string& type, const std::string& text) {
    auto value = parseText(type, text);
    if (!value) throw TypedValueError("'" + text + "' is not a valid " + type + " value");
    return std::move(*value);
}
