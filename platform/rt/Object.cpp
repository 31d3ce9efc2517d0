#include "rt/Object.h"

#include "rt/Associations.h"
#include "rt/ObjectFactory.h"
#include "rt/WeakControl.h"

namespace rt {

namespace {
// Counts high enough that retains and releases made while the destructor runs
// (a value handing its owner to someone) can never bring the count to zero again.
constexpr std::uint32_t kDestroyingCount = 1u << 30;
}  // namespace

Object::Object() : _isa(ObjectFactory::takePendingClass()) {}

Object::~Object() {
    _associations.reset();  // attached objects are released with their owner
    if (WeakControl* control = _weakControl.load(std::memory_order_acquire)) control->release();
}

bool Object::tryRetain() const {
    std::uint32_t count = _refCount.load(std::memory_order_relaxed);
    while (count != 0 && count < kDestroyingCount) {
        if (_refCount.compare_exchange_weak(count, count + 1, std::memory_order_acquire,
                                            std::memory_order_relaxed)) {
            return true;
        }
    }
    return false;
}

WeakControl& Object::weakControl() const {
    WeakControl* control = _weakControl.load(std::memory_order_acquire);
    if (control) return *control;
    // A weak reference formed while the object is being destroyed (from a destructor) gets
    // a block that is detached from the start: destroy() has already detached the object's
    // blocks, so one made now would otherwise keep pointing at freed memory.
    const bool destroying = _refCount.load(std::memory_order_relaxed) >= kDestroyingCount;
    auto fresh = std::make_unique<WeakControl>(destroying ? nullptr : const_cast<Object*>(this));
    if (_weakControl.compare_exchange_strong(control, fresh.get(), std::memory_order_acq_rel)) {
        return *fresh.release();
    }
    return *control;  // another thread installed one first; `fresh` is discarded
}

void Object::destroy() const {
    _refCount.store(kDestroyingCount, std::memory_order_relaxed);
    if (WeakControl* control = _weakControl.load(std::memory_order_acquire)) control->detach();
    ObjectFactory::destroy(const_cast<Object*>(this));
}

}  // namespace rt
