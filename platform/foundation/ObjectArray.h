#pragma once

#include <cstddef>
#include <vector>

#include "rt/Object.h"
#include "rt/Ref.h"

namespace settings {

// An ordered list of objects ("NSArray"), as the preference framework hands specifier lists
// around.
class ObjectArray : public rt::Object {
  public:
    static constexpr const char* kClassName = "NSArray";

    ObjectArray() = default;
    explicit ObjectArray(std::vector<rt::Ref<rt::Object>> objects) : _objects(std::move(objects)) {}

    const std::vector<rt::Ref<rt::Object>>& objects() const { return _objects; }
    std::size_t count() const { return _objects.size(); }
    void addObject(rt::Ref<rt::Object> object) { _objects.push_back(std::move(object)); }

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    std::vector<rt::Ref<rt::Object>> _objects;
};

}  // namespace settings
