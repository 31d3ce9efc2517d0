#pragma once

#include <string>

#include <nlohmann/json.hpp>

// JSON as text for the page. Bytes that are not UTF-8 (a request's path, a name read from a
// file) become U+FFFD instead of an exception: what the phone shows never stops it.
inline std::string jsonText(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}
