#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>

#include "rt/Object.h"

namespace rt {

// A strong reference to a runtime object: retains on copy, releases on destruction.
// It holds the object as an rt::Object*, so a Ref to a type that is only declared may be
// kept, copied and destroyed (as a member of a class whose header cannot include the type);
// making one from a T* and reaching the T need the complete type.
template <class T>
class Ref {
  public:
    using element_type = T;

    Ref() = default;
    Ref(std::nullptr_t) {}  // NOLINT: null converts implicitly, as nil does
    explicit Ref(T* object) : _object(object) { retainObject(); }
    Ref(const Ref& other) : _object(other._object) { retainObject(); }
    Ref(Ref&& other) noexcept : _object(std::exchange(other._object, nullptr)) {}
    template <class U>
    requires std::is_convertible_v<U*, T*> Ref(const Ref<U>& other)
        : _object(other.get()) {  // NOLINT: upcast
        retainObject();
    }
    template <class U>
    requires std::is_convertible_v<U*, T*> Ref(Ref<U>&& other)
    noexcept : _object(other.leak()) {}  // NOLINT: upcast
    ~Ref() {
        if (_object) _object->release();
    }

    Ref& operator=(Ref other) noexcept {
        std::swap(_object, other._object);
        return *this;
    }

    // Takes over a reference the caller already owns (no retain).
    static Ref adopt(T* object) {
        Ref ref;
        ref._object = object;
        return ref;
    }
    // Gives up ownership without releasing; the caller now owns one reference.
    T* leak() { return static_cast<T*>(std::exchange(_object, nullptr)); }

    T* get() const { return static_cast<T*>(_object); }
    T* operator->() const { return get(); }
    T& operator*() const { return *get(); }
    explicit operator bool() const { return _object != nullptr; }

    template <class U>
    bool operator==(const Ref<U>& other) const {
        return _object == other.object();
    }
    bool operator==(std::nullptr_t) const { return _object == nullptr; }
    template <class U>
    auto operator<=>(const Ref<U>& other) const {
        return std::compare_three_way{}(_object, other.object());
    }

    // The object as the runtime sees it; needs no complete T.
    Object* object() const { return _object; }

  private:
    void retainObject() const {
        if (_object) _object->retain();
    }

    Object* _object = nullptr;
};

template <class T>
Ref(T*) -> Ref<T>;

// Retains a raw pointer into a strong reference.
template <class T>
Ref<T> retained(T* object) {
    return Ref<T>(object);
}

// Dynamic downcasts that answer null when the object is not a T.
template <class T>
T* cast(Object* object) {
    return dynamic_cast<T*>(object);
}
template <class T, class U>
Ref<T> cast(const Ref<U>& ref) {
    return Ref<T>(dynamic_cast<T*>(ref.get()));
}

}  // namespace rt

template <class T>
struct std::hash<rt::Ref<T>> {
    std::size_t operator()(const rt::Ref<T>& ref) const noexcept {
        return std::hash<const void*>{}(ref.object());
    }
};
