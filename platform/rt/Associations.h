#pragma once

#include <utility>
#include <vector>

#include "rt/Ref.h"

namespace rt {

// The objects attached to one object, by key. Owned by that object and released with it.
class Associations {
  public:
    Object* find(const void* key) const;
    // Stores `value` (null removes) and answers the value it replaces, for the caller to
    // release after leaving the lock.
    Ref<Object> exchange(const void* key, Ref<Object> value);
    bool empty() const { return _entries.empty(); }

  private:
    std::vector<std::pair<const void*, Ref<Object>>> _entries;  // few per object
};

// Attaches `value` to `object` under `key` (strong, non-atomic policy); null removes it.
void setAssociatedObject(Object* object, const void* key, Ref<Object> value);
// The object attached under `key`, or null.
Object* getAssociatedObject(const Object* object, const void* key);

}  // namespace rt
