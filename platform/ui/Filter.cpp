#include "ui/Filter.h"

#include "rt/Make.h"
#include "rt/Messaging.h"
#include "ui/BoxedString.h"

namespace ui {

namespace {

rt::Ref<rt::Object> valueForKeyImp(rt::Object* self, rt::Selector, const std::string& key) {
    if (key != "name") return nullptr;
    return rt::make<BoxedString>(static_cast<Filter*>(self)->name());
}

}  // namespace

rt::Ref<Filter> Filter::filterWithName(const std::string& name) {
    return rt::make<Filter>(name);
}

rt::Ref<rt::Object> Filter::valueForKey(const std::string& key) const {
    return rt::send<rt::Ref<rt::Object>>(const_cast<Filter*>(this), rt::sel("valueForKey:"), key);
}

void Filter::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethod(cls, rt::sel("valueForKey:"), &valueForKeyImp);
}

}  // namespace ui
