#include "foundation/ObjectArray.h"

#include "rt/MethodBinding.h"

namespace settings {

namespace {
long long countOf(const ObjectArray& array) {
    return static_cast<long long>(array.count());
}
long long arrayCountImp(rt::Object* self, rt::Selector) {
    return countOf(*static_cast<ObjectArray*>(self));
}
}  // namespace

void ObjectArray::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {rt::bind<&arrayCountImp>("count")});
}

}  // namespace settings
