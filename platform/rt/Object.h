#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

namespace rt {

class Class;
class WeakControl;
class Associations;

// Base of every runtime object ("NSObject"). Objects are reference counted intrusively
// and made only through rt::make / rt::makeOfClass, which set the runtime class (isa)
// before any constructor code runs, so a constructor may already send messages to itself.
class Object {
  public:
    static constexpr const char* kClassName = "NSObject";

    Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object();

    Class* getClass() const { return _isa; }

    void retain() const { _refCount.fetch_add(1, std::memory_order_relaxed); }
    void release() const {
        if (_refCount.fetch_sub(1, std::memory_order_acq_rel) == 1) destroy();
    }
    // Retains unless the object is already being destroyed; used by weak references.
    bool tryRetain() const;
    std::uint32_t retainCount() const { return _refCount.load(std::memory_order_relaxed); }

    // The weak-reference control block, made on first use.
    WeakControl& weakControl() const;

  private:
    friend class World;
    friend class AssociationTable;

    void destroy() const;

    Class* _isa;
    mutable std::atomic<std::uint32_t> _refCount{1};
    mutable std::atomic<WeakControl*> _weakControl{nullptr};
    std::unique_ptr<Associations> _associations;
};

}  // namespace rt
