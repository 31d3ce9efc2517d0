#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>

#include "rt/Ref.h"
#include "rt/Selector.h"

namespace rt {

// Calling convention of runtime methods.
//
// An implementation is a plain function  R (*)(rt::Object* self, rt::Selector cmd, P...).
// Parameter types are canonical, and send() converts its arguments the same way:
//   - objects (any T* or Ref<T> with T derived from rt::Object, or nullptr) -> rt::Object*
//   - strings (const char*, char arrays, std::string, std::string_view)     -> const std::string&
//   - scalars (bool, integers, floating point, enums, other pointers) and Selector are
//     passed by value and must match exactly: no silent int -> double or float -> double
//   - any other class type T                                                 -> const T&
// The result type is named at the call (send<R>) and must equal the implementation's
// exactly; objects are returned as rt::Ref<rt::Object>, strings as std::string.
// A call whose canonical types differ from the stored ones throws SignatureMismatch.

template <class T>
constexpr bool kIsObjectPointer =
    std::is_pointer_v<T>&& std::is_base_of_v<Object, std::remove_cv_t<std::remove_pointer_t<T>>>;

template <class T>
struct IsRef : std::false_type {};
template <class T>
struct IsRef<Ref<T>> : std::true_type {};

template <class T>
constexpr bool kIsObjectArgument =
    kIsObjectPointer<T> || IsRef<T>::value || std::is_same_v<T, std::nullptr_t>;

template <class T>
constexpr bool kIsStringArgument =
    std::is_same_v<T, std::string> || std::is_same_v<T, std::string_view> ||
    std::is_same_v<T, const char*> || std::is_same_v<T, char*>;

namespace detail {
template <class Raw, class Decayed = std::decay_t<Raw>>
struct Canonical {
    using type = std::conditional_t<
        kIsObjectArgument<Decayed>, Object*,
        std::conditional_t<
            kIsStringArgument<Decayed>, const std::string&,
            std::conditional_t<std::is_scalar_v<Decayed> || std::is_same_v<Decayed, Selector>,
                               Decayed, const Decayed&>>>;
};
}  // namespace detail

// The canonical parameter type for an argument or a declared parameter of type T.
template <class T>
using CanonicalParam = typename detail::Canonical<T>::type;

// The canonical implementation type for a result R and arguments Args.
template <class R, class... Args>
using CanonicalImp = R (*)(Object*, Selector, CanonicalParam<Args>...);

// True when a declared implementation already uses canonical parameter types.
template <class... Params>
constexpr bool kParamsAreCanonical = (std::is_same_v<Params, CanonicalParam<Params>> && ...);

// Converts an argument to what its canonical parameter expects.
template <class T>
decltype(auto) canonicalArgument(T&& value) {
    using Decayed = std::decay_t<T>;
    if constexpr (std::is_same_v<Decayed, std::nullptr_t>) {
        return static_cast<Object*>(nullptr);
    } else if constexpr (kIsObjectPointer<Decayed>) {
        return static_cast<Object*>(
            const_cast<std::remove_cv_t<std::remove_pointer_t<Decayed>>*>(value));
    } else if constexpr (IsRef<Decayed>::value) {
        return static_cast<Object*>(value.get());
    } else if constexpr (std::is_same_v<Decayed, std::string>) {
        return static_cast<const std::string&>(value);
    } else if constexpr (std::is_same_v<Decayed, std::string_view>) {
        return std::string(value);
    } else if constexpr (std::is_array_v<std::remove_cvref_t<T>>) {
        // A character array is read up to its first NUL, never past its end.
        return std::string(std::begin(value), std::find(std::begin(value), std::end(value), '\0'));
    } else if constexpr (std::is_same_v<Decayed, const char*> || std::is_same_v<Decayed, char*>) {
        const char* text = value;
        return text ? std::string(text) : std::string();  // a null C string reads as empty
    } else if constexpr (std::is_scalar_v<Decayed> || std::is_same_v<Decayed, Selector>) {
        return static_cast<Decayed>(value);
    } else {
        return static_cast<const Decayed&>(value);
    }
}

// The stored form of a method's type: compared by address first (one load on the hot
// path), by type_info equality otherwise (types seen from another shared object).
class Signature {
  public:
    template <class Imp>
    static Signature of() {
        return Signature(typeid(Imp));
    }
    static Signature ofType(const std::type_info& type) { return Signature(type); }

    bool operator==(const Signature& other) const {
        return _type == other._type || *_type == *other._type;
    }
    bool matches(const std::type_info& type) const { return _type == &type || *_type == type; }
    // The fast check: the very same type_info object.
    bool isExactly(const std::type_info& type) const { return _type == &type; }

    // Readable form, e.g. "void (*)(rt::Object*, rt::Selector, double)".
    std::string readable() const { return readableTypeName(*_type); }

    static std::string readableTypeName(const std::type_info& type);

  private:
    explicit Signature(const std::type_info& type) : _type(&type) {}

    const std::type_info* _type;
};

}  // namespace rt
