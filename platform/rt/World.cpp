#include "rt/World.h"

#include <mutex>
#include <stdexcept>

#include "rt/ObjectFactory.h"

namespace rt {

World::World(std::uint64_t generation) : _generation(generation) {
    bootRootClass();
}

void World::bootRootClass() {
    // The root metaclass is its own class and the root class's superclass-of-metaclass;
    // neither exists before the other, so the cycle is closed after both are made.
    Class* rootMeta = makeClass(Object::kClassName, nullptr, true, nullptr, {}, nullptr);
    auto allocate = [](Class* cls) { return Ref<Object>(ObjectFactory::construct<Object>(cls)); };
    _rootClass = makeClass(Object::kClassName, nullptr, false, rootMeta, allocate, &typeid(Object));
    rootMeta->_isa = rootMeta;
    rootMeta->_superclass = _rootClass;
    _classesByName.emplace(Object::kClassName, _rootClass);
}

Class* World::registerClass(std::string_view name, Class* superclass, Class::Allocator allocator,
                            const std::type_info* instanceType) {
    std::unique_lock lock(_mutex);
    if (name.empty()) throw std::logic_error("rt: a class needs a name");
    if (_classesByName.contains(std::string(name))) {
        throw std::logic_error("rt: class " + std::string(name) + " is already registered");
    }
    if (superclass && superclass->isMetaclass()) {
        throw std::logic_error("rt: class " + std::string(name) +
                               " cannot inherit from a metaclass");
    }
    if (superclass && &superclass->world() != this) {
        throw std::logic_error("rt: class " + std::string(name) +
                               " cannot inherit from a class of an earlier world");
    }
    Class* rootMeta = _rootClass->metaclass();
    Class* metaSuper = superclass ? superclass->metaclass() : nullptr;
    Class* meta = makeClass(std::string(name), metaSuper, true, rootMeta, {}, nullptr);
    Class* cls =
        makeClass(std::string(name), superclass, false, meta, std::move(allocator), instanceType);
    if (!superclass) meta->_superclass = cls;  // a new root: class methods fall back to it
    _classesByName.emplace(std::string(name), cls);
    return cls;
}

Class* World::lookUpClass(std::string_view name) const {
    std::shared_lock lock(_mutex);
    auto found = _classesByName.find(std::string(name));
    return found == _classesByName.end() ? nullptr : found->second;
}

void World::invalidateCaches() {
    for (const Ref<Class>& cls : _classes) cls->clearCache();
}

Class* World::makeClass(std::string name, Class* superclass, bool isMetaclass, Class* isa,
                        Class::Allocator allocator, const std::type_info* instanceType) {
    auto cls = ObjectFactory::construct<Class>(isa, std::move(name), superclass, isMetaclass, *this,
                                               std::move(allocator), instanceType);
    return _classes.emplace_back(std::move(cls)).get();
}

}  // namespace rt
