#pragma once

#include <atomic>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>

#include "rt/Class.h"
#include "rt/ObjectFactory.h"
#include "rt/Ref.h"
#include "rt/Runtime.h"

namespace rt {

// The runtime class of C++ type T (named by T::kClassName) in the current world. Cached
// per type and re-resolved after a world reset.
template <class T>
Class* classOf() {
    static std::atomic<Class*> cached{nullptr};
    Class* cls = cached.load(std::memory_order_acquire);
    if (cls && cls->generation() == Runtime::generation()) return cls;
    cls = Runtime::requireClass(T::kClassName, typeid(T));
    cached.store(cls, std::memory_order_release);
    return cls;
}

// Makes an object of C++ type T whose class is T's runtime class. Throws std::logic_error
// when no class of that name is registered (a programming error).
template <class T, class... Args>
Ref<T> make(Args&&... args) {
    return ObjectFactory::construct<T>(classOf<T>(), std::forward<Args>(args)...);
}

// Makes an instance of a class found by name, as [[cls alloc] init] does. A null class
// answers null; a class with no allocator along its chain throws std::logic_error.
Ref<Object> makeOfClass(Class* cls);

// Registers the runtime class of C++ type T (named T::kClassName) under Super's class,
// with an allocator making a default-constructed T when T has a default constructor.
template <class T, class Super = Object>
Class* registerClass() {
    static_assert(std::is_base_of_v<Super, T> && std::is_base_of_v<Object, Super>,
                  "a runtime class's C++ type derives from its superclass's");
    static_assert(std::string_view(T::kClassName) != std::string_view(Super::kClassName),
                  "declare static constexpr const char* kClassName in the class itself");
    Class* superclass = Runtime::requireClass(Super::kClassName, typeid(Super));
    Class::Allocator allocator;
    if constexpr (std::is_default_constructible_v<T>) {
        allocator = [](Class* cls) { return Ref<Object>(ObjectFactory::construct<T>(cls)); };
    }
    return Runtime::registerClass(T::kClassName, superclass, std::move(allocator), &typeid(T));
}

}  // namespace rt
