#pragma once

#include "rt/Object.h"
#include "rt/Selector.h"

namespace core {

// performSelector:withObject:afterDelay: — sends `selector` to `target` with `argument` on
// the main run loop once `delay` seconds have passed. Target and argument are held strongly
// until then. The selector's own number of arguments decides the send, as for control
// actions: "save" is sent with none (the argument is dropped), "save:" with the argument; a
// selector of more arguments is refused at once (std::invalid_argument). A target that no
// longer responds by then, or whose method has another signature, throws from the run loop
// as any send would.
void performSelector(rt::Object* target, rt::Selector selector, rt::Object* argument, double delay);

}  // namespace core
