#include "foundation/ActionHandler.h"

#include "rt/Make.h"
#include "rt/MethodBinding.h"
#include "rt/Runtime.h"

namespace springboard {

void ActionHandler::registerRuntimeClass() {
    if (rt::lookUpClass(kClassName)) return;
    rt::addMethods(rt::registerClass<ActionHandler>(),
                   {rt::bind<&ActionHandler::invoke>("invoke")});
}

}  // namespace springboard
