#include "rt/Class.h"

#include <mutex>
#include <shared_mutex>

#include "rt/SelectorTable.h"
#include "rt/World.h"

namespace rt {

Class::Class(std::string name, Class* superclass, bool isMetaclass, World& world,
             Allocator allocator, const std::type_info* instanceType)
    : _name(std::move(name)),
      _superclass(superclass),
      _isMetaclass(isMetaclass),
      _world(world),
      _generation(world.generation()),
      _allocator(std::move(allocator)),
      _instanceType(instanceType) {}

const Class::Allocator* Class::allocator() const {
    for (const Class* cls = this; cls; cls = cls->_superclass) {
        if (cls->_allocator) return &cls->_allocator;
        // An ancestor's allocator would make an object too small for this C++ type.
        if (cls->_instanceType) return nullptr;
    }
    return nullptr;
}

Method* Class::ownMethod(Selector selector) const {
    auto found = _methods.find(selector.index());
    return found == _methods.end() ? nullptr : found->second.get();
}

Method& Class::addOwnMethod(Selector selector, Signature signature, Method::Imp imp) {
    auto method = std::make_unique<Method>(selector, signature, imp, this);
    return *(_methods[selector.index()] = std::move(method));
}

const Method* Class::inheritedMethod(Selector selector) const {
    for (const Class* cls = _superclass; cls; cls = cls->_superclass) {
        if (const Method* method = cls->ownMethod(selector)) return method;
    }
    return nullptr;
}

void Class::declareField(std::string name, Field field) {
    _fields.insert_or_assign(std::move(name), std::move(field));
}

void Class::forgetField(std::string_view name) {
    if (auto found = _fields.find(name); found != _fields.end()) _fields.erase(found);
}

const Field* Class::fieldNamed(std::string_view name) const {
    for (const Class* cls = this; cls; cls = cls->_superclass) {
        if (auto found = cls->_fields.find(name); found != cls->_fields.end())
            return &found->second;
    }
    return nullptr;
}

const Method& Class::lookUpAndCache(Selector selector) const {
    const std::uint32_t selectorCount = SelectorTable::shared().count();
    std::shared_lock lock(_world.mutex());
    const Method* method = ownMethod(selector);
    if (!method) method = inheritedMethod(selector);
    if (!method) method = &Method::none();
    _cache.store(selector.index(), method, selectorCount);
    return *method;
}

}  // namespace rt
