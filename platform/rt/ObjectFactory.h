#pragma once

#include <type_traits>
#include <utility>

#include "rt/Ref.h"

namespace rt {

class Class;

// The one place objects are allocated and freed. The class an object is made of is
// handed to Object's constructor through a per-thread slot, so the object's class is
// set before any constructor of a derived type runs (as alloc precedes init on the device).
class ObjectFactory {
  public:
    template <class T, class... Args>
    static Ref<T> construct(Class* cls, Args&&... args) {
        static_assert(std::is_base_of_v<Object, T>, "runtime objects derive from rt::Object");
        PendingClassScope scope(cls);
        return Ref<T>::adopt(new T(std::forward<Args>(args)...));
    }

    static void destroy(Object* object) { delete object; }

    // Called by Object's constructor: the class to give the object being made.
    static Class* takePendingClass();

  private:
    class PendingClassScope {
      public:
        explicit PendingClassScope(Class* cls);
        ~PendingClassScope();
        PendingClassScope(const PendingClassScope&) = delete;
        PendingClassScope& operator=(const PendingClassScope&) = delete;

      private:
        Class* _previous;
    };
};

}  // namespace rt
