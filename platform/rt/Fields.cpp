#include "rt/Fields.h"

#include <mutex>
#include <shared_mutex>

#include "rt/World.h"

namespace rt {

namespace {
// Runs `read` on the named field with the class's world locked for reading.
template <class Read>
auto withField(Object* object, std::string_view name, Read read) -> decltype(read(nullptr)) {
    if (!object) return nullptr;
    const Class* cls = object->getClass();
    std::shared_lock lock(cls->world().mutex());
    return read(cls->fieldNamed(name));
}
}  // namespace

namespace detail {

void declareField(Class* cls, std::string name, Field field) {
    if (!cls) return;
    std::unique_lock lock(cls->world().mutex());
    cls->declareField(std::move(name), std::move(field));
}

void* fieldAddress(Object* object, std::string_view name, const std::type_info& type) {
    return withField(object, name, [&](const Field* field) -> void* {
        return field && field->type() == type ? field->addressIn(object) : nullptr;
    });
}

}  // namespace detail

void forgetField(Class* cls, std::string_view name) {
    if (!cls) return;
    std::unique_lock lock(cls->world().mutex());
    cls->forgetField(name);
}

bool hasField(Object* object, std::string_view name) {
    if (!object) return false;
    const Class* cls = object->getClass();
    std::shared_lock lock(cls->world().mutex());
    return cls->fieldNamed(name) != nullptr;
}

Object* getField(Object* object, std::string_view name) {
    return withField(object, name, [&](const Field* field) -> Object* {
        return field ? field->objectIn(object) : nullptr;
    });
}

}  // namespace rt
