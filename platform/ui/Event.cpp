#include "ui/Event.h"

#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "ui/TouchSet.h"

namespace ui {

Event::Event() : _touches(rt::make<TouchSet>()) {}

void Event::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {rt::bind<&Event::allTouches>("allTouches")});
}

}  // namespace ui
