#pragma once

#include <type_traits>
#include <typeinfo>
#include <utility>

#include "rt/Class.h"
#include "rt/Messaging.h"
#include "rt/SignatureMismatch.h"
#include "rt/UnrecognizedSelector.h"

namespace ui {

// Sends `selector` to `self` starting the method lookup at the superclass of `cls` ("[super
// layoutSubviews]"): a runtime method of a subclass calls the behaviour it overrides with it,
// naming its own class. Throws UnrecognizedSelector when no superclass implements it and
// SignatureMismatch for other types, as send does.
template <class R, class... Args>
R sendSuper(rt::Class* cls, rt::Object* self, rt::Selector selector, Args&&... args) {
    using Imp = rt::CanonicalImp<R, Args...>;
    if (!self || !cls || !cls->superclass()) {
        if constexpr (std::is_void_v<R>) {
            return;
        } else {
            return R{};
        }
    }
    rt::Class* superclass = cls->superclass();
    const rt::Method& method = superclass->methodFor(selector);
    if (method.isNone()) throw rt::UnrecognizedSelector(*superclass, selector);
    if (!method.signature().matches(typeid(Imp))) {
        throw rt::SignatureMismatch(*superclass, selector, method.signature(),
                                    rt::Signature::of<Imp>());
    }
    return reinterpret_cast<Imp>(method.imp())(self, selector,
                                               rt::canonicalArgument(std::forward<Args>(args))...);
}

}  // namespace ui
