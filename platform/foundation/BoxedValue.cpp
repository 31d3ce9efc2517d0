#include "foundation/BoxedValue.h"

#include "foundation/BoxedString.h"
#include "foundation/Number.h"
#include "rt/Make.h"

namespace settings {

rt::Ref<rt::Object> boxValue(const core::PlistValue& value) {
    switch (value.kind()) {
        case core::PlistKind::Boolean:
            return rt::make<rt::Number>(*value.asBool());
        case core::PlistKind::Integer:
            if (const auto integer = value.asInteger()) return rt::make<rt::Number>(*integer);
            return rt::make<rt::Number>(*value.asNumber());
        case core::PlistKind::Real:
            return rt::make<rt::Number>(*value.asReal());
        case core::PlistKind::String:
            return rt::make<ui::BoxedString>(*value.asString());
        case core::PlistKind::Dictionary:
            return rt::make<BoxedDictionary>(*value.asDictionary());
        default:
            return {};
    }
}

rt::Ref<rt::Object> boxValue(const std::optional<core::PlistValue>& value) {
    return value ? boxValue(*value) : rt::Ref<rt::Object>();
}

std::optional<core::PlistValue> unboxValue(const rt::Object* object) {
    if (const auto* number = dynamic_cast<const rt::Number*>(object)) {
        switch (number->kind()) {
            case rt::Number::Kind::Boolean:
                return core::PlistValue(number->boolValue());
            case rt::Number::Kind::Integer:
                return core::PlistValue(number->longLongValue());
            case rt::Number::Kind::Real:
                return core::PlistValue(number->doubleValue());
        }
    }
    if (const auto* text = dynamic_cast<const ui::BoxedString*>(object))
        return core::PlistValue(text->value());
    if (const auto* dictionary = dynamic_cast<const BoxedDictionary*>(object))
        return core::PlistValue(dictionary->values());
    return std::nullopt;
}

}  // namespace settings
