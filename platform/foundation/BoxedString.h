#pragma once

#include <string>

#include "rt/Object.h"

namespace ui {

// A string as an object ("NSString"), for values answered by valueForKey: and kept in
// object collections.
class BoxedString : public rt::Object {
  public:
    static constexpr const char* kClassName = "NSString";

    explicit BoxedString(std::string value) : _value(std::move(value)) {}

    const std::string& value() const { return _value; }

  private:
    std::string _value;
};

}  // namespace ui
