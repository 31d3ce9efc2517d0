#include "ui/Event.h"

#include "rt/Make.h"
#include "rt/Messaging.h"
#include "ui/TouchSet.h"

namespace ui {

namespace {

rt::Ref<rt::Object> allTouchesImp(rt::Object* self, rt::Selector) {
    return static_cast<Event*>(self)->allTouches();
}

}  // namespace

Event::Event() : _touches(rt::make<TouchSet>()) {}

void Event::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethod(cls, rt::sel("allTouches"), &allTouchesImp);
}

}  // namespace ui
