#include "core/runtime/PerformSelector.h"

#include "core/dispatch/Queue.h"
#include "rt/Messaging.h"
#include "rt/Ref.h"

namespace core {

void performSelector(rt::Object* target, rt::Selector selector, rt::Object* argument,
                     double delay) {
    if (!target) return;
    after(delay, Queue::Main,
          [target = rt::Ref<rt::Object>(target), argument = rt::Ref<rt::Object>(argument),
           selector] { rt::send<void>(target, selector, argument.get()); });
}

}  // namespace core
