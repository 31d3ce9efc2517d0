#include "core/dispatch/PerformSelector.h"

#include <algorithm>
#include <stdexcept>

#include "core/dispatch/Queue.h"
#include "rt/Messaging.h"
#include "rt/Ref.h"

namespace core {

namespace {

std::size_t argumentCount(rt::Selector selector) {
    const std::string& name = selector.name();
    return static_cast<std::size_t>(std::count(name.begin(), name.end(), ':'));
}

}  // namespace

void performSelector(rt::Object* target, rt::Selector selector, rt::Object* argument,
                     double delay) {
    if (!target) return;
    const std::size_t arguments = argumentCount(selector);
    if (arguments > 1) {
        throw std::invalid_argument("performSelector: " + selector.name() +
                                    " takes more than the one object a delayed perform passes");
    }
    after(delay, Queue::Main,
          [target = rt::Ref<rt::Object>(target), argument = rt::Ref<rt::Object>(argument), selector,
           arguments] {
              if (arguments == 0)
                  rt::send<void>(target, selector);
              else
                  rt::send<void>(target, selector, argument.get());
          });
}

}  // namespace core
