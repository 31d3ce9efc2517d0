#include "rt/AssociationTable.h"

#include "rt/Associations.h"
#include "rt/NoDestroy.h"

namespace rt {

std::mutex& AssociationTable::mutex() {
    static NoDestroy<std::mutex> mutex;
    return mutex.get();
}

void AssociationTable::set(Object& object, const void* key, Ref<Object> value) {
    Ref<Object> replaced;
    {
        std::lock_guard lock(mutex());
        if (!object._associations) {
            if (!value) return;
            object._associations = std::make_unique<Associations>();
        }
        replaced = object._associations->exchange(key, std::move(value));
    }
}

Object* AssociationTable::get(const Object& object, const void* key) {
    std::lock_guard lock(mutex());
    return object._associations ? object._associations->find(key) : nullptr;
}

}  // namespace rt
