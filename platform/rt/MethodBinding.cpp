#include "rt/MethodBinding.h"

#include "rt/Messaging.h"

namespace rt {

namespace detail {

void throwWrongReceiver(const Object& self, Selector selector, const std::type_info& expected) {
    throw std::logic_error("rt: " + self.getClass()->name() + " received " +
                           std::string(selector.name()) + ", whose method is bound to " +
                           Signature::readableTypeName(expected) + ", which it is not");
}

}  // namespace detail

int addMethods(Class* cls, std::initializer_list<MethodBinding> bindings) {
    if (!cls) return 0;
    int added = 0;
    for (const MethodBinding& binding : bindings) {
        if (detail::addMethod(cls, binding.selector, binding.signature, binding.imp)) ++added;
    }
    return added;
}

int addClassMethods(Class* cls, std::initializer_list<MethodBinding> bindings) {
    return cls ? addMethods(cls->metaclass(), bindings) : 0;
}

}  // namespace rt
