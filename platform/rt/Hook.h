#pragma once

#include <atomic>
#include <string_view>
#include <type_traits>
#include <utility>

#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

// Replaces a method with a function and keeps the replaced implementation for it:
//
//   rt::hook<&ActionViewSetup::layoutSubviews>(rowClass, "layoutSubviews");
//
//   void ActionViewSetup::layoutSubviews(rt::Object* self, rt::Selector cmd) {
//       rt::original<&ActionViewSetup::layoutSubviews>(self, cmd);
//       ...
//   }
//
// The replacement is any function bind accepts (MethodBinding.h); usually one in the
// runtime's form R (*)(rt::Object* self, rt::Selector cmd, P...), which receives the
// selector the original needs. Its canonical signature must equal the method's, or hook
// throws SignatureMismatch and changes nothing. Each replacement keeps one original: hook
// one function onto one class and selector.

namespace rt {

namespace detail {

// The implementation replacement F displaced; null until F is hooked.
template <auto F>
struct OriginalOf {
    static inline std::atomic<Method::Imp> imp{nullptr};
};

template <class Imp>
struct ImpTraits;
template <class R, class... P>
struct ImpTraits<R (*)(Object*, Selector, P...)> {
    template <class... Args>
    static constexpr bool accepts() {
        if constexpr (sizeof...(Args) != sizeof...(P))
            return false;
        else
            return (std::is_same_v<CanonicalParam<Args>, P> && ...);
    }
};

[[noreturn]] void throwNotHooked(Selector selector);

}  // namespace detail

// Replaces `selector` on `cls` with F (an inherited method is replaced on `cls` itself, with
// the inherited implementation as the original). Answers false, and keeps no original, when
// no class along the chain implements `selector`.
template <auto F>
bool hook(Class* cls, Selector selector) {
    const MethodBinding binding = bind<F>(selector);
    std::atomic<Method::Imp>& slot = detail::OriginalOf<F>::imp;
    auto writeOriginal = [](void* target, Method::Imp previous) {
        static_cast<std::atomic<Method::Imp>*>(target)->store(previous, std::memory_order_release);
    };
    return detail::hookMessage(cls, selector, binding.signature, binding.imp, &slot, writeOriginal);
}
template <auto F>
bool hook(Class* cls, std::string_view selectorName) {
    return hook<F>(cls, sel(selectorName));
}

// Calls the implementation that hook<F> replaced, with the receiver and selector F received.
// The arguments take the canonical types of F's signature exactly (checked when compiled).
// Throws std::logic_error when F is not hooked.
template <auto F, class... Args>
auto original(Object* self, Selector cmd, Args&&... args) {
    using Imp = typename detail::Adapter<F, std::remove_cv_t<decltype(F)>>::Imp;
    using Traits = detail::ImpTraits<Imp>;
    static_assert(Traits::template accepts<Args...>(),
                  "the original takes the canonical types of the replacement's parameters");
    const Method::Imp imp = detail::OriginalOf<F>::imp.load(std::memory_order_acquire);
    if (!imp) detail::throwNotHooked(cmd);
    return reinterpret_cast<Imp>(imp)(self, cmd, canonicalArgument(std::forward<Args>(args))...);
}

}  // namespace rt
