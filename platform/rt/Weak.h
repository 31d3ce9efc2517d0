#pragma once

#include <type_traits>
#include <utility>

#include "rt/Ref.h"
#include "rt/WeakControl.h"

namespace rt {

// A weak reference: does not keep the object alive; lock() answers it retained, or null
// once it has been destroyed. Safe against the object's destruction on another thread.
template <class T>
class Weak {
  public:
    Weak() = default;
    Weak(std::nullptr_t) {}              // NOLINT
    Weak(T* object) { assign(object); }  // NOLINT: like a weak property assignment
    template <class U>
    requires std::is_convertible_v<U*, T*> Weak(const Ref<U>& ref) {  // NOLINT
        assign(static_cast<T*>(ref.get()));
    }
    Weak(const Weak& other) : _control(other._control), _object(other._object) {
        if (_control) _control->retain();
    }
    Weak(Weak&& other) noexcept
        : _control(std::exchange(other._control, nullptr)),
          _object(std::exchange(other._object, nullptr)) {}
    ~Weak() { reset(); }

    Weak& operator=(Weak other) noexcept {
        std::swap(_control, other._control);
        std::swap(_object, other._object);
        return *this;
    }

    Ref<T> lock() const {
        if (!_control || !_control->lockRetained()) return nullptr;
        return Ref<T>::adopt(_object);
    }
    // True when nothing was assigned or the object is gone.
    bool expired() const { return !lock(); }

    void reset() {
        if (_control) _control->release();
        _control = nullptr;
        _object = nullptr;
    }

  private:
    void assign(T* object) {
        if (!object) return;
        _control = &object->weakControl();
        _control->retain();
        _object = object;
    }

    WeakControl* _control = nullptr;
    T* _object = nullptr;  // only dereferenced after the control block retained it
};

}  // namespace rt
