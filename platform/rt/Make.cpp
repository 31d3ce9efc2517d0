#include "rt/Make.h"

namespace rt {

Ref<Object> makeOfClass(Class* cls) {
    if (!cls) return nullptr;
    if (cls->isMetaclass()) throw std::logic_error("rt: cannot make an instance of a metaclass");
    const Class::Allocator* allocator = cls->allocator();
    if (!allocator) throw std::logic_error("rt: class " + cls->name() + " has no allocator");
    return (*allocator)(cls);
}

}  // namespace rt
