#include "tweak/startup/HostClass.h"

#include "rt/Runtime.h"

namespace morvane {

rt::Class* HostClass::get() {
    const std::uint64_t generation = rt::Runtime::generation();
    std::lock_guard lock(_mutex);
    if (!_class || _generation != generation) {
        _class = rt::lookUpClass(_name);
        _generation = generation;
    }
    return _class;
}

}  // namespace morvane
