#pragma once

#include <new>
#include <utility>

namespace rt {

// Holds a process-wide value that is built on first use and never destroyed, so that
// objects outliving static destruction (selectors kept in statics, objects released at
// exit) never reach a torn-down table.
template <class T>
class NoDestroy {
  public:
    template <class... Args>
    explicit NoDestroy(Args&&... args) {
        ::new (static_cast<void*>(_storage)) T(std::forward<Args>(args)...);
    }
    NoDestroy(const NoDestroy&) = delete;
    NoDestroy& operator=(const NoDestroy&) = delete;

    T& get() { return *std::launder(reinterpret_cast<T*>(_storage)); }
    T& operator*() { return get(); }
    T* operator->() { return &get(); }

  private:
    alignas(T) unsigned char _storage[sizeof(T)];
};

}  // namespace rt
