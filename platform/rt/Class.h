#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <unordered_map>

#include "rt/Field.h"
#include "rt/Method.h"
#include "rt/MethodCache.h"
#include "rt/Object.h"
#include "rt/Ref.h"
#include "rt/Selector.h"

namespace rt {

class World;

// A runtime class. It is itself an object whose class (isa) is its metaclass, which holds
// the class methods. The metaclass's superclass is the superclass's metaclass; the root
// metaclass's superclass is the root class, as on the device.
//
// Method tables and fields are changed only through the messaging and field functions,
// which hold the world's lock; sends read the cache without locking.
class Class final : public Object {
  public:
    // Makes an instance whose class is the given one (a subclass may reuse an ancestor's).
    using Allocator = std::function<Ref<Object>(Class*)>;

    Class(std::string name, Class* superclass, bool isMetaclass, World& world, Allocator allocator,
          const std::type_info* instanceType);

    const std::string& name() const { return _name; }
    Class* superclass() const { return _superclass; }
    bool isMetaclass() const { return _isMetaclass; }
    // For a class, the metaclass holding its class methods.
    Class* metaclass() const { return getClass(); }
    World& world() const { return _world; }
    std::uint64_t generation() const { return _generation; }
    // The C++ type registered for instances, or null for a class registered by name only.
    const std::type_info* instanceType() const { return _instanceType; }
    // The nearest allocator along the superclass chain, or null. The search stops at a
    // class registered with its own C++ type: only that type's allocator fits it.
    const Allocator* allocator() const;

    // The method for `selector` through the superclass chain: cached, Method::none() if absent.
    const Method& methodFor(Selector selector) const {
        const Method* cached = _cache.find(selector.index());
        return cached ? *cached : lookUpAndCache(selector);
    }

    // The cached method for `selector`, or null when not cached yet (no lock, no lookup).
    const Method* cachedMethod(Selector selector) const { return _cache.find(selector.index()); }

    // The following are used with the world's lock held.
    Method* ownMethod(Selector selector) const;
    Method& addOwnMethod(Selector selector, Signature signature, Method::Imp imp);
    const Method* inheritedMethod(Selector selector) const;
    void clearCache() { _cache.clear(); }
    void declareField(std::string name, Field field);
    void forgetField(std::string_view name);
    const Field* fieldNamed(std::string_view name) const;

  private:
    friend class World;  // closes the root metaclass cycle at boot

    const Method& lookUpAndCache(Selector selector) const;

    std::string _name;
    Class* _superclass;
    bool _isMetaclass;
    World& _world;
    std::uint64_t _generation;
    Allocator _allocator;
    const std::type_info* _instanceType;
    std::unordered_map<std::uint32_t, std::unique_ptr<Method>> _methods;
    std::map<std::string, Field, std::less<>> _fields;
    mutable MethodCache _cache;
};

}  // namespace rt
