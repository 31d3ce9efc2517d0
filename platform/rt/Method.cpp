#include "rt/Method.h"

#include "rt/NoDestroy.h"

namespace rt {

const Method& Method::none() {
    static NoDestroy<Method> none(Selector(), Signature::of<void>(), nullptr, nullptr);
    return none.get();
}

}  // namespace rt
