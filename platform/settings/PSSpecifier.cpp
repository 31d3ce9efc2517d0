#include "settings/PSSpecifier.h"

#include "core/preferences/PreferenceFile.h"
#include "foundation/BoxedValue.h"
#include "rt/Make.h"
#include "rt/MethodBinding.h"

namespace settings {

PSSpecifier::PSSpecifier(std::string name, PSCellType cellType, core::PlistDictionary properties)
    : _name(std::move(name)), _cellType(cellType), _properties(std::move(properties)) {}

std::optional<core::PlistValue> PSSpecifier::property(std::string_view key) const {
    const core::PlistValue* value = _properties.find(key);
    return value ? std::optional<core::PlistValue>(*value) : std::nullopt;
}

std::string PSSpecifier::stringProperty(std::string_view key) const {
    const core::PlistValue* value = _properties.find(key);
    const std::string* text = value ? value->asString() : nullptr;
    return text ? *text : std::string();
}

void PSSpecifier::setProperty(std::string key, core::PlistValue value) {
    _properties.set(std::move(key), std::move(value));
}

void PSSpecifier::removeProperty(std::string_view key) {
    _properties.remove(key);
}

rt::Ref<rt::Object> PSSpecifier::propertyForKey(const std::string& key) const {
    return boxValue(property(key));
}

void PSSpecifier::setPropertyForKey(rt::Object* value, const std::string& key) {
    if (auto unboxed = unboxValue(value))
        setProperty(key, std::move(*unboxed));
    else
        removeProperty(key);
}

rt::Ref<rt::Object> PSSpecifier::boxedProperties() const {
    return rt::make<BoxedDictionary>(_properties);
}

std::optional<core::PlistValue> PSSpecifier::shownValue(const core::PlistValue& stored) const {
    const core::PlistKind kind = stored.kind();
    const bool isNumber = kind == core::PlistKind::Boolean || kind == core::PlistKind::Integer ||
                          kind == core::PlistKind::Real;
    switch (_cellType) {
        case PSCellType::Switch:
            if (const auto on = core::PreferenceFile::boolValue(stored)) return core::PlistValue(*on);
            return std::nullopt;
        case PSCellType::EditText:
            if (isNumber || kind == core::PlistKind::String) return stored;
            return std::nullopt;
        default:
            return stored;
    }
}

void PSSpecifier::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&PSSpecifier::name>("name"),
                            rt::bind<&PSSpecifier::propertyForKey>("propertyForKey:"),
                            rt::bind<&PSSpecifier::setPropertyForKey>("setProperty:forKey:"),
                            rt::bind<&PSSpecifier::boxedProperties>("properties"),
                            rt::bind<&PSSpecifier::target>("target"),
                            rt::bind<&PSSpecifier::setTarget>("setTarget:"),
                        });
}

}  // namespace settings
