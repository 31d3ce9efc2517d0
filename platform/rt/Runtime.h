#pragma once

#include <cstdint>
#include <string_view>
#include <typeinfo>

#include "rt/Class.h"

namespace rt {

class World;

// The process's runtime: the current world of classes. Classes are registered during
// start-up; reset() boots a fresh world (for tests) in which only the root class "NSObject"
// and the base classes of the loaded libraries exist. Selectors are process-wide and survive
// resets.
class Runtime {
  public:
    // Registers a class and its metaclass; a null superclass makes a new root class.
    // The allocator makes instances; a class without one uses its nearest ancestor's.
    // Throws std::logic_error for a name already registered in this world.
    static Class* registerClass(std::string_view name, Class* superclass,
                                Class::Allocator allocator = {},
                                const std::type_info* instanceType = nullptr);
    static Class* lookUpClass(std::string_view name);
    // The class named `name` for making a C++ type; throws std::logic_error when absent
    // or registered for a different C++ type.
    static Class* requireClass(std::string_view name, const std::type_info& instanceType);

    // Adds classes that every world holds from its start, as a loaded library's classes are
    // there from the moment it is loaded: `registrar` registers them in the current world now
    // and in every world booted later. Registrars run in the order they were added.
    using BaseClassRegistrar = void (*)(World&);
    static void addBaseClasses(BaseClassRegistrar registrar);

    static void reset();
    static World& world();
    static std::uint64_t generation();
};

// Answers the class of that name in the current world, or null.
inline Class* lookUpClass(std::string_view name) {
    return Runtime::lookUpClass(name);
}
inline void resetWorld() {
    Runtime::reset();
}

}  // namespace rt
