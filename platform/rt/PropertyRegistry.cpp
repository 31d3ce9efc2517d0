#include "rt/PropertyRegistry.h"

#include <cctype>
#include <mutex>
#include <string>

#include "rt/NoDestroy.h"

namespace rt {

PropertyRegistry& PropertyRegistry::shared() {
    static NoDestroy<PropertyRegistry> registry;
    return registry.get();
}

void PropertyRegistry::record(Selector getter, Selector setter) {
    std::unique_lock lock(_mutex);
    _getterBySetter.insert_or_assign(setter.index(), getter);
}

Selector PropertyRegistry::getterFor(Selector setter) const {
    std::shared_lock lock(_mutex);
    auto found = _getterBySetter.find(setter.index());
    return found == _getterBySetter.end() ? Selector() : found->second;
}

namespace detail {

Selector propertyGetterForSetter(Selector setter) {
    return PropertyRegistry::shared().getterFor(setter);
}

void recordPropertySelectors(Selector getter, Selector setter) {
    PropertyRegistry::shared().record(getter, setter);
}

Selector setterSelectorFor(std::string_view propertyName) {
    std::string name = "set" + std::string(propertyName) + ":";
    if (!propertyName.empty())
        name[3] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[3])));
    return sel(name);
}

}  // namespace detail

}  // namespace rt
