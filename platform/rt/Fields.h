#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>

#include "rt/Class.h"
#include "rt/Field.h"
#include "rt/Ref.h"
#include "rt/Weak.h"

namespace rt {

namespace detail {

template <class T>
struct IsWeak : std::false_type {};
template <class T>
struct IsWeak<Weak<T>> : std::true_type {};

void declareField(Class* cls, std::string name, Field field);
void* fieldAddress(Object* object, std::string_view name, const std::type_info& type);

template <class Member>
Field::ObjectReader objectReaderFor() {
    if constexpr (IsRef<Member>::value) {
        return [](void* member) -> Object* { return static_cast<Member*>(member)->object(); };
    } else if constexpr (IsWeak<Member>::value) {
        // As the device reads a weak field: the object if it is still alive, unretained.
        return
            [](void* member) -> Object* { return static_cast<Member*>(member)->lock().object(); };
    } else if constexpr (kIsObjectPointer<Member>) {
        return [](void* member) -> Object* { return *static_cast<Member*>(member); };
    } else {
        return nullptr;
    }
}

}  // namespace detail

// Declares a field of a host class so a lookup by name finds it:
//   declareField(cls, "_titleLabel", &UIThing::_titleLabel)
// The member is read only on objects of the declaring C++ type; others answer null.
template <class Owner, class Member>
void declareField(Class* cls, std::string name, Member Owner::*member) {
    static_assert(std::is_base_of_v<Object, Owner>, "fields belong to runtime objects");
    auto address = [member](Object* object) -> void* {
        auto* owner = dynamic_cast<Owner*>(object);
        return owner ? static_cast<void*>(&(owner->*member)) : nullptr;
    };
    detail::declareField(cls, std::move(name),
                         Field(typeid(Member), address, detail::objectReaderFor<Member>()));
}

// Removes a field this class declared (not one of its superclasses), so lookups by name no
// longer find it: the host's classes differ between systems, and the device's system can be
// changed between runs of the host's code.
void forgetField(Class* cls, std::string_view name);

// Whether the object's class or one of its superclasses declares the named field
// ("class_getInstanceVariable" finding it). False for a null object.
bool hasField(Object* object, std::string_view name);

// The object held by the named field (found through the superclass chain), or null for a
// null object, a missing name or a field that holds no object. Object-holding members are
// Ref<T>, Weak<T> (read as the live object or null) and plain T* with T a runtime object.
// Never throws.
Object* getField(Object* object, std::string_view name);

// The named field's member as a T*, or null when missing or of another type.
template <class T>
T* fieldPointer(Object* object, std::string_view name) {
    return static_cast<T*>(detail::fieldAddress(object, name, typeid(T)));
}

}  // namespace rt
