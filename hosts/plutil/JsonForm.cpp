#include "JsonForm.h"

#include <nlohmann/json.hpp>

#include <cmath>

#include "core/plist/PlistLimits.h"

using nlohmann::json;

namespace {

json toJson(const core::PlistValue& value) {
    using core::PlistKind;
    switch (value.kind()) {
        case PlistKind::Boolean:
            return *value.asBool();
        case PlistKind::Integer:
            if (value.isLargeUnsignedInteger()) return *value.asUnsignedInteger();
            return *value.asInteger();
        case PlistKind::Real:
            if (!std::isfinite(*value.asReal()))
                throw JsonFormError("JSON cannot hold an infinite or NaN number");
            return *value.asReal();
        case PlistKind::String:
            return *value.asString();
        case PlistKind::Array: {
            json array = json::array();
            for (const core::PlistValue& item : *value.asArray()) array.push_back(toJson(item));
            return array;
        }
        case PlistKind::Dictionary: {
            json object = json::object();
            for (const auto& [key, item] : *value.asDictionary()) object[key] = toJson(item);
            return object;
        }
        case PlistKind::Date:
            throw JsonFormError("JSON cannot hold a date");
        case PlistKind::Data:
            break;
    }
    throw JsonFormError("JSON cannot hold data");
}

struct JsonReadError {};

core::PlistValue fromJson(const json& value, std::size_t depth) {
    if (depth > core::kMaxPlistNestingDepth) throw JsonReadError{};
    if (value.is_boolean()) return core::PlistValue(value.get<bool>());
    if (value.is_number_unsigned()) return core::PlistValue(value.get<std::uint64_t>());
    if (value.is_number_integer()) return core::PlistValue(value.get<std::int64_t>());
    if (value.is_number_float()) return core::PlistValue(value.get<double>());
    if (value.is_string()) return core::PlistValue(value.get<std::string>());
    if (value.is_array()) {
        core::PlistArray array;
        array.reserve(value.size());
        for (const json& item : value) array.append(fromJson(item, depth + 1));
        return core::PlistValue(std::move(array));
    }
    if (value.is_object()) {
        core::PlistDictionary dictionary;
        for (const auto& [key, item] : value.items()) dictionary.set(key, fromJson(item, depth + 1));
        return core::PlistValue(std::move(dictionary));
    }
    throw JsonReadError{};  // null has no property-list kind
}

}  // namespace

std::string JsonForm::write(const core::PlistValue& value) {
    return toJson(value).dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

std::optional<core::PlistValue> JsonForm::read(std::string_view text) {
    try {
        const json parsed = json::parse(text, nullptr, false);
        if (parsed.is_discarded()) return std::nullopt;
        return fromJson(parsed, 0);
    } catch (const JsonReadError&) {
        return std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;  // out of memory or a text nlohmann refuses
    }
}
