#include "ui/TouchSet.h"

#include <algorithm>

#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "ui/Touch.h"

namespace ui {

rt::Ref<Touch> TouchSet::anyObject() const {
    return _touches.empty() ? nullptr : _touches.front();
}

bool TouchSet::containsObject(const Touch* touch) const {
    return std::any_of(_touches.begin(), _touches.end(),
                       [touch](const rt::Ref<Touch>& t) { return t.get() == touch; });
}

void TouchSet::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&TouchSet::anyObject>("anyObject"),
                            rt::bind<&TouchSet::touchCount>("count"),
                        });
}

}  // namespace ui
