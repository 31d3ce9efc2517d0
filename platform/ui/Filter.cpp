#include "ui/Filter.h"

#include "foundation/BoxedString.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace ui {

rt::Ref<Filter> Filter::filterWithName(const std::string& name) {
    return rt::make<Filter>(name);
}

rt::Ref<rt::Object> Filter::boxedValueForKey(const std::string& key) const {
    if (key != "name") return nullptr;
    return rt::make<BoxedString>(_name);
}

rt::Ref<rt::Object> Filter::valueForKey(const std::string& key) const {
    return rt::send<rt::Ref<rt::Object>>(const_cast<Filter*>(this), rt::sel("valueForKey:"), key);
}

void Filter::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {rt::bind<&Filter::boxedValueForKey>("valueForKey:")});
}

}  // namespace ui
