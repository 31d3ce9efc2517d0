#pragma once

#include <cstdint>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <typeinfo>
#include <unordered_map>
#include <vector>

#include "rt/Class.h"
#include "rt/Ref.h"

namespace rt {

// One generation of runtime classes. A fresh world holds only the root class "NSObject";
// classes, methods, hooks, fields and caches all belong to a world. Worlds are never
// destroyed (retired ones are kept), so objects and classes from an earlier world stay
// valid after a reset.
class World {
  public:
    explicit World(std::uint64_t generation);
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    std::uint64_t generation() const { return _generation; }
    // Guards every class's method table and fields: shared to read, exclusive to change.
    std::shared_mutex& mutex() const { return _mutex; }

    // Registers a class and its metaclass. Throws std::logic_error for a name already taken.
    Class* registerClass(std::string_view name, Class* superclass, Class::Allocator allocator,
                         const std::type_info* instanceType);
    Class* lookUpClass(std::string_view name) const;
    Class* rootClass() const { return _rootClass; }
    // Empties every class's method cache; callers hold the lock exclusively.
    void invalidateCaches();

  private:
    Class* makeClass(std::string name, Class* superclass, bool isMetaclass, Class* isa,
                     Class::Allocator allocator, const std::type_info* instanceType);
    void bootRootClass();

    std::uint64_t _generation;
    mutable std::shared_mutex _mutex;
    std::unordered_map<std::string, Class*> _classesByName;
    std::vector<Ref<Class>> _classes;  // owns classes and metaclasses
    Class* _rootClass = nullptr;
};

}  // namespace rt
