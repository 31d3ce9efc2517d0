#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/plist/PlistValue.h"

// Property-list values as JSON text and back. JSON has no dates, data or non-finite numbers,
// so a value holding one is refused rather than written as something else.
class JsonForm {
  public:
    // Compact JSON text with a final newline; throws JsonFormError naming what JSON cannot hold.
    static std::string write(const core::PlistValue& value);
    // The value of a JSON text; none when the text is no JSON, holds null or nests too deeply.
    static std::optional<core::PlistValue> read(std::string_view text);
};

class JsonFormError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
