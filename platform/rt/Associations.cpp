#include "rt/Associations.h"

#include <algorithm>

#include "rt/AssociationTable.h"

namespace rt {

Object* Associations::find(const void* key) const {
    auto found = std::find_if(_entries.begin(), _entries.end(),
                              [key](const auto& entry) { return entry.first == key; });
    return found == _entries.end() ? nullptr : found->second.get();
}

Ref<Object> Associations::exchange(const void* key, Ref<Object> value) {
    auto found = std::find_if(_entries.begin(), _entries.end(),
                              [key](const auto& entry) { return entry.first == key; });
    if (found == _entries.end()) {
        if (value) _entries.emplace_back(key, std::move(value));
        return nullptr;
    }
    Ref<Object> replaced = std::exchange(found->second, std::move(value));
    if (!found->second) _entries.erase(found);
    return replaced;
}

void setAssociatedObject(Object* object, const void* key, Ref<Object> value) {
    if (object) AssociationTable::set(*object, key, std::move(value));
}

Object* getAssociatedObject(const Object* object, const void* key) {
    return object ? AssociationTable::get(*object, key) : nullptr;
}

}  // namespace rt
