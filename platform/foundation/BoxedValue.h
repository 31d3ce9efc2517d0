#pragma once

#include <optional>

#include "core/plist/PlistDictionary.h"
#include "core/plist/PlistValue.h"
#include "rt/Object.h"
#include "rt/Ref.h"

namespace settings {

// Property-list values as the objects the preference framework passes around: booleans and
// numbers as "NSNumber", strings as "NSString", dictionaries as "NSDictionary". Other kinds
// (data, dates, arrays) have no object form here and box to null.
rt::Ref<rt::Object> boxValue(const core::PlistValue& value);
rt::Ref<rt::Object> boxValue(const std::optional<core::PlistValue>& value);
// The value an object stands for; none for null or an object of no property-list kind.
std::optional<core::PlistValue> unboxValue(const rt::Object* object);

// A dictionary as an object ("NSDictionary").
class BoxedDictionary : public rt::Object {
  public:
    static constexpr const char* kClassName = "NSDictionary";

    explicit BoxedDictionary(core::PlistDictionary values) : _values(std::move(values)) {}
    const core::PlistDictionary& values() const { return _values; }

  private:
    core::PlistDictionary _values;
};

}  // namespace settings
