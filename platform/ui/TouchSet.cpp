#include "ui/TouchSet.h"

#include <algorithm>

#include "rt/Messaging.h"
#include "ui/Touch.h"

namespace ui {

namespace {

rt::Ref<rt::Object> anyObjectImp(rt::Object* self, rt::Selector) {
    return static_cast<TouchSet*>(self)->anyObject();
}

long long countImp(rt::Object* self, rt::Selector) {
    return static_cast<long long>(static_cast<TouchSet*>(self)->count());
}

}  // namespace

rt::Ref<Touch> TouchSet::anyObject() const {
    return _touches.empty() ? nullptr : _touches.front();
}

bool TouchSet::containsObject(const Touch* touch) const {
    return std::any_of(_touches.begin(), _touches.end(),
                       [touch](const rt::Ref<Touch>& t) { return t.get() == touch; });
}

void TouchSet::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethod(cls, rt::sel("anyObject"), &anyObjectImp);
    rt::addMethod(cls, rt::sel("count"), &countImp);
}

}  // namespace ui
