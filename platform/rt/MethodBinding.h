#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>

#include "rt/Class.h"
#include "rt/Method.h"
#include "rt/Ref.h"
#include "rt/Selector.h"
#include "rt/Signature.h"

// Registers C++ functions as runtime methods without hand-written trampolines:
//
//   rt::addMethods(cls, {
//       rt::bind<&SliderView::showPercentLabelAnimated>("showPercentLabelAnimated:"),
//       rt::bind<&SliderView::slider>("slider"),
//   });
//   rt::addClassMethods(cls, {rt::bind<&SBMediaController::sharedInstance>("sharedInstance")});
//
// bind<F> accepts
//   - a member function of T (const or not): the receiver is the T the message is sent to;
//   - a function already in the runtime's form R (*)(rt::Object*, rt::Selector, P...);
//   - any other function (a class's static function): called without receiver or selector,
//     for class methods.
// Parameters and results are declared naturally (ui::View*, rt::Ref<ui::Color>,
// const std::string&, ui::Rect, double) and stored in their canonical form (Signature.h), so
// a send whose types differ still throws SignatureMismatch. Object parameters arrive as the
// declared type, or null when the object sent is not one; object results (T*, Ref<T>) are
// answered as Ref<Object>, string results as std::string.

namespace rt {

// One runtime method ready to be added: its selector, canonical signature and entry point.
struct MethodBinding {
    Selector selector;
    Signature signature;
    Method::Imp imp;
};

namespace detail {

template <class T>
using Bare = std::remove_cvref_t<T>;

template <class T>
constexpr bool kIsStringLike =
    std::is_same_v<Bare<T>, std::string> || std::is_same_v<Bare<T>, std::string_view>;

// The canonical type a result R is answered as.
template <class R, class D = Bare<R>>
using CanonicalResult =
    std::conditional_t<std::is_void_v<R>, void,
                       std::conditional_t<kIsObjectPointer<D> || IsRef<D>::value, Ref<Object>,
                                          std::conditional_t<kIsStringLike<R>, std::string, D>>>;

template <class R>
CanonicalResult<R> canonicalResult(R&& value) {
    using D = Bare<R>;
    if constexpr (kIsObjectPointer<D>) {
        return Ref<Object>(const_cast<Object*>(static_cast<const Object*>(value)));
    } else if constexpr (IsRef<D>::value) {
        return Ref<Object>(value.object());
    } else if constexpr (kIsStringLike<R>) {
        return std::string(value);
    } else {
        return std::forward<R>(value);
    }
}

// Converts a canonical argument to the parameter type P a function declares.
template <class P>
decltype(auto) declaredArgument(CanonicalParam<P> value) {
    using D = Bare<P>;
    if constexpr (kIsObjectPointer<D>) {
        using Pointee = std::remove_cv_t<std::remove_pointer_t<D>>;
        if constexpr (std::is_same_v<Pointee, Object>)
            return value;
        else
            return cast<Pointee>(value);
    } else if constexpr (IsRef<D>::value) {
        using Pointee = typename D::element_type;
        if constexpr (std::is_same_v<Pointee, Object>)
            return D(value);
        else
            return D(cast<Pointee>(value));
    } else if constexpr (std::is_same_v<D, std::string_view>) {
        return std::string_view(value);
    } else {
        return static_cast<CanonicalParam<P>>(value);
    }
}

[[noreturn]] void throwWrongReceiver(const Object& self, Selector selector,
                                     const std::type_info& expected);

// The receiver as a T: a pointer comparison when the class was registered for T itself,
// a dynamic cast for subclasses; any other object is a programming error.
template <class T>
T& receiverAs(Object* self, Selector selector) {
    const std::type_info* type = self->getClass()->instanceType();
    if (type == &typeid(T)) return *static_cast<T*>(self);
    if (T* target = dynamic_cast<T*>(self)) return *target;
    throwWrongReceiver(*self, selector, typeid(T));
}

template <class R, class Call>
CanonicalResult<R> answer(Call&& call) {
    if constexpr (std::is_void_v<R>) {
        call();
    } else {
        return canonicalResult<R>(call());
    }
}

template <auto F, class Fn = decltype(F)>
struct Adapter;

// Member functions, with every combination of const and noexcept.
template <auto F, class T, class R, class... P>
struct MemberAdapter {
    using Imp = CanonicalResult<R> (*)(Object*, Selector, CanonicalParam<P>...);
    static CanonicalResult<R> call(Object* self, Selector cmd, CanonicalParam<P>... args) {
        T& target = receiverAs<T>(self, cmd);
        return answer<R>([&]() -> R { return (target.*F)(declaredArgument<P>(args)...); });
    }
};
template <auto F, class T, class R, class... P>
struct Adapter<F, R (T::*)(P...)> : MemberAdapter<F, T, R, P...> {};
template <auto F, class T, class R, class... P>
struct Adapter<F, R (T::*)(P...) const> : MemberAdapter<F, const T, R, P...> {};
template <auto F, class T, class R, class... P>
struct Adapter<F, R (T::*)(P...) noexcept> : MemberAdapter<F, T, R, P...> {};
template <auto F, class T, class R, class... P>
struct Adapter<F, R (T::*)(P...) const noexcept> : MemberAdapter<F, const T, R, P...> {};

// Plain functions: already in the runtime's form, or a class's static function.
template <auto F, class R, class... P>
struct FunctionAdapter {
    using Imp = CanonicalResult<R> (*)(Object*, Selector, CanonicalParam<P>...);
    static CanonicalResult<R> call(Object*, Selector, CanonicalParam<P>... args) {
        return answer<R>([&]() -> R { return F(declaredArgument<P>(args)...); });
    }
};
template <auto F, class R, class... P>
struct Adapter<F, R (*)(P...)> : FunctionAdapter<F, R, P...> {};
template <auto F, class R, class... P>
struct Adapter<F, R (*)(P...) noexcept> : FunctionAdapter<F, R, P...> {};

// A function already in the runtime's form is registered as it is.
template <auto F, class R, class... P>
struct Adapter<F, R (*)(Object*, Selector, P...)> {
    static_assert(kParamsAreCanonical<P...> && std::is_same_v<R, CanonicalResult<R>>,
                  "a function in the runtime's form declares canonical types (Signature.h)");
    using Imp = R (*)(Object*, Selector, P...);
    static constexpr Imp call = F;
};

}  // namespace detail

// The binding of `selector` to F (see the top of this file).
template <auto F>
MethodBinding bind(Selector selector) {
    using Fn = std::remove_cv_t<decltype(F)>;
    using Adapter = detail::Adapter<F, Fn>;
    typename Adapter::Imp imp = Adapter::call;
    return {selector, Signature::of<typename Adapter::Imp>(), reinterpret_cast<Method::Imp>(imp)};
}
template <auto F>
MethodBinding bind(std::string_view selectorName) {
    return bind<F>(sel(selectorName));
}

// Adds each binding as an instance method of `cls`, as addMethod does (a method the class
// itself already has is kept). Answers how many were added.
int addMethods(Class* cls, std::initializer_list<MethodBinding> bindings);
// The same on the class's metaclass: class methods.
int addClassMethods(Class* cls, std::initializer_list<MethodBinding> bindings);

}  // namespace rt
