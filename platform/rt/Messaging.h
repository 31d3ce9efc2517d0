#pragma once

#include <type_traits>
#include <typeinfo>
#include <utility>

#include "rt/Class.h"
#include "rt/Method.h"
#include "rt/Ref.h"
#include "rt/Selector.h"
#include "rt/Signature.h"

// Messages, method addition and method replacement. See Signature.h for the calling
// convention (canonical parameter types) that implementations and senders share.

namespace rt {

namespace detail {

inline Object* receiverObject(Object* object) {
    return object;
}
inline Object* receiverObject(std::nullptr_t) {
    return nullptr;
}
template <class T>
Object* receiverObject(const Ref<T>& ref) {
    return ref.get();
}

// The method a send of `selector` with canonical type `callType` reaches: looked up and
// cached, with signatures compared in full (type_info equality). Throws UnrecognizedSelector
// or SignatureMismatch.
const Method& resolveSend(const Object& receiver, Selector selector,
                          const std::type_info& callType);

// The send after a cache miss or an inexact signature match; kept out of line so the hit
// path saves no registers and ends in a tail call.
template <class R, class... Params>
[[gnu::noinline]] R dispatchSlowly(Object* self, Selector selector, Params... args) {
    using Imp = R (*)(Object*, Selector, Params...);
    const Method& method = resolveSend(*self, selector, typeid(Imp));
    return reinterpret_cast<Imp>(method.imp())(self, selector, std::forward<Params>(args)...);
}

// Sends to a non-null receiver with arguments already in canonical form.
template <class R, class... Params>
R dispatch(Object* self, Selector selector, Params... args) {
    using Imp = R (*)(Object*, Selector, Params...);
    const Method* method = self->getClass()->cachedMethod(selector);
    if (method && method->signature().isExactly(typeid(Imp))) [[likely]] {
        return reinterpret_cast<Imp>(method->imp())(self, selector, std::forward<Params>(args)...);
    }
    return dispatchSlowly<R, Params...>(self, selector, std::forward<Params>(args)...);
}

bool addMethod(Class* cls, Selector selector, Signature signature, Method::Imp imp);

// Writes the previous implementation into the caller's typed slot.
using OriginalWriter = void (*)(void* slot, Method::Imp previous);
bool hookMessage(Class* cls, Selector selector, Signature signature, Method::Imp replacement,
                 void* originalSlot, OriginalWriter writeOriginal);

}  // namespace detail

// Sends `selector` to `receiver` (an object, a Ref, or a Class* for a class method) with
// `args`, answering R. A null receiver answers R{} without looking anything up. Throws
// UnrecognizedSelector when no method is found, SignatureMismatch when the canonical types
// of R and args differ from the method's.
template <class R, class Receiver, class... Args>
R send(Receiver&& receiver, Selector selector, Args&&... args) {
    static_assert(!std::is_reference_v<R>,
                  "methods answer values (objects as rt::Ref<rt::Object>)");
    Object* self = detail::receiverObject(receiver);
    if (!self) {
        if constexpr (std::is_void_v<R>) {
            return;
        } else {
            return R{};
        }
    }
    return detail::dispatch<R, CanonicalParam<Args>...>(
        self, selector, canonicalArgument(std::forward<Args>(args))...);
}

// Whether instances of `cls` (or, for a metaclass, the class) respond to `selector`.
inline bool classRespondsToSelector(const Class* cls, Selector selector) {
    return cls && !cls->methodFor(selector).isNone();
}

template <class Receiver>
bool respondsToSelector(const Receiver& receiver, Selector selector) {
    Object* self = detail::receiverObject(receiver);
    return self && classRespondsToSelector(self->getClass(), selector);
}

// The raw forms under the bound registration (MethodBinding.h) and rt::hook (Hook.h), for
// the runtime's own use and its tests.
namespace detail {

// Adds a method to `cls` unless the class itself already has one for `selector`; an
// inherited method is overridden. Pass a metaclass (or use addClassMethod) for class methods.
template <class R, class... Params>
bool addMethod(Class* cls, Selector selector, R (*imp)(Object*, Selector, Params...)) {
    static_assert(kParamsAreCanonical<Params...>,
                  "declare object parameters as rt::Object*, strings as const std::string&, "
                  "scalars by value and other types as const T&");
    return addMethod(cls, selector, Signature::of<decltype(imp)>(),
                     reinterpret_cast<Method::Imp>(imp));
}

template <class R, class... Params>
bool addClassMethod(Class* cls, Selector selector, R (*imp)(Object*, Selector, Params...)) {
    return cls && addMethod(cls->metaclass(), selector, imp);
}

// Replaces the implementation of `selector` on `cls`, storing the previous one into
// `*original` (which may be null) before the replacement can run. A method the class only
// inherits is replaced on the class itself, with the inherited implementation (as it is now)
// as the original. Hooking again chains. Answers false, leaving `*original` null, when no
// class along the chain implements `selector`. Throws SignatureMismatch when the
// replacement's type differs from the method's.
template <class R, class... Params>
bool hookMessage(Class* cls, Selector selector, R (*replacement)(Object*, Selector, Params...),
                 std::type_identity_t<R (*)(Object*, Selector, Params...)>* original) {
    static_assert(kParamsAreCanonical<Params...>,
                  "declare object parameters as rt::Object*, strings as const std::string&, "
                  "scalars by value and other types as const T&");
    using Imp = R (*)(Object*, Selector, Params...);
    auto writeOriginal = [](void* slot, Method::Imp previous) {
        *static_cast<Imp*>(slot) = reinterpret_cast<Imp>(previous);
    };
    return hookMessage(cls, selector, Signature::of<Imp>(),
                       reinterpret_cast<Method::Imp>(replacement), original, writeOriginal);
}

}  // namespace detail

}  // namespace rt
