#pragma once

#include <stdexcept>
#include <string>

#include "core/plist/PlistValue.h"

// The value an edit stores, from its type option and its text:
//   bool      YES, NO, true, false, 1 or 0      integer  a signed or unsigned 64-bit number
//   float     a decimal number                  string   the text as it is
//   date      ISO 8601 (2024-05-01T12:00:00Z)   data     base64
//   xml       a property list in XML            json     a JSON text
class TypedValue {
  public:
    // Throws TypedValueError when the text is not a value of the type.
    static core::PlistValue parse(const std::string& type, const std::string& text);
};

class TypedValueError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
