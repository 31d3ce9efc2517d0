#pragma once

#include "rt/Object.h"
#include "rt/Selector.h"

namespace core {

// performSelector:withObject:afterDelay: — sends `selector` to `target` with `argument` on
// the main run loop once `delay` seconds have passed. Target and argument are held strongly
// until then. The method is `void (rt::Object* self, rt::Selector, rt::Object* argument)`; a
// target that no longer responds by then, or whose method has another signature, throws from
// the run loop as any send would.
void performSelector(rt::Object* target, rt::Selector selector, rt::Object* argument, double delay);

}  // namespace core
