#pragma once

#include <functional>
#include <typeinfo>

namespace rt {

class Object;

// A declared field of a host class, found by name: where the member lives in an instance,
// the member's type, and (for members that hold an object) how to read the object held.
class Field {
  public:
    using Address = std::function<void*(Object*)>;
    using ObjectReader = Object* (*)(void* member);

    Field(const std::type_info& type, Address address, ObjectReader objectReader)
        : _type(&type), _address(std::move(address)), _objectReader(objectReader) {}

    const std::type_info& type() const { return *_type; }
    // The member's address in `object`, or null when `object` is not of the declaring type.
    void* addressIn(Object* object) const { return _address(object); }
    // The object the member holds, or null for a member that holds no object.
    Object* objectIn(Object* object) const {
        void* member = _objectReader ? addressIn(object) : nullptr;
        return member ? _objectReader(member) : nullptr;
    }

  private:
    const std::type_info* _type;
    Address _address;
    ObjectReader _objectReader;
};

}  // namespace rt
