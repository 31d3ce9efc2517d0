#include "foundation/Number.h"
#include "rt/Runtime.h"

namespace {

// NSNumber is in every world from its start, as the device's Foundation classes are there as
// soon as the library holding them is loaded.
struct NumberClassAtLoad {
    NumberClassAtLoad() { rt::Runtime::addBaseClasses(&rt::Number::registerRuntimeClass); }
};
const NumberClassAtLoad numberClassAtLoad;

}  // namespace
