#pragma once

#include <mutex>

#include "rt/Ref.h"

namespace rt {

// Guards every object's attached objects with one process-wide lock, as the device's
// runtime does; values are released outside the lock, since releasing may run destructors
// that attach or detach objects themselves.
class AssociationTable {
  public:
    static void set(Object& object, const void* key, Ref<Object> value);
    static Object* get(const Object& object, const void* key);

  private:
    static std::mutex& mutex();
};

}  // namespace rt
