#pragma once

#include <new>
#include <utility>

namespace core {

// Holds a process-wide object that is never destroyed, so that worker threads and late
// callers never meet it half torn down at exit.
template <typename T>
class NoDestructor {
  public:
    template <typename... Args>
    explicit NoDestructor(Args&&... args) {
        ::new (static_cast<void*>(_storage)) T(std::forward<Args>(args)...);
    }
    NoDestructor(const NoDestructor&) = delete;
    NoDestructor& operator=(const NoDestructor&) = delete;

    T& operator*() { return *get(); }
    T* operator->() { return get(); }
    T* get() { return std::launder(reinterpret_cast<T*>(_storage)); }

  private:
    alignas(T) unsigned char _storage[sizeof(T)];
};

}  // namespace core
