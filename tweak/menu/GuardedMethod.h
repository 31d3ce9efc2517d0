#pragma once

#include <type_traits>

#include "rt/Object.h"
#include "rt/Selector.h"
#include "tweak/startup/ReplacementGuard.h"

namespace morvane {

namespace detail {

template <auto F, class Fn = decltype(F)>
struct Guarded;

template <auto F, class R, class... P>
struct Guarded<F, R (*)(rt::Object*, P...)> {
    // The runtime's form of F: the receiver first, the selector ignored, F's failure ending
    // the step with a default answer instead of reaching the host.
    static R method(rt::Object* self, rt::Selector, P... arguments) {
        if constexpr (std::is_void_v<R>) {
            runGuarded([&] { F(self, arguments...); });
        } else {
            R answer{};
            runGuarded([&] { answer = F(self, arguments...); });
            return answer;
        }
    }
};

}  // namespace detail

// A library function that takes the receiving host object first, as a runtime method that
// never throws into the host: rt::bind<guarded<&ValueEditing::saveValueAndDismiss>>(...).
template <auto F>
inline constexpr auto guarded = &detail::Guarded<F>::method;

}  // namespace morvane
