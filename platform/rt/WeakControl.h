#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

namespace rt {

class Object;

// Shared between an object and its weak references. The object detaches itself when its
// count reaches zero; lock() retains under the same mutex, so a weak reference never
// hands out an object that is being destroyed.
class WeakControl {
  public:
    explicit WeakControl(Object* object) : _object(object) {}

    // Answers the object retained, or null once it is gone.
    Object* lockRetained();
    void detach();

    void retain() { _refCount.fetch_add(1, std::memory_order_relaxed); }
    void release();

  private:
    std::atomic<std::uint32_t> _refCount{1};
    std::mutex _mutex;
    Object* _object;
};

}  // namespace rt
