#include "rt/WeakControl.h"

#include "rt/Object.h"

namespace rt {

Object* WeakControl::lockRetained() {
    std::lock_guard lock(_mutex);
    if (_object && _object->tryRetain()) return _object;
    return nullptr;
}

void WeakControl::detach() {
    std::lock_guard lock(_mutex);
    _object = nullptr;
}

void WeakControl::release() {
    if (_refCount.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        std::unique_ptr<WeakControl> last(this);
    }
}

}  // namespace rt
