#pragma once

#include <vector>

#include "rt/Object.h"
#include "rt/Ref.h"
#include "ui/Touch.h"

namespace ui {

// The touches of an event ("NSSet" of "UITouch"), in the order they began.
class TouchSet : public rt::Object {
  public:
    static constexpr const char* kClassName = "NSSet";

    TouchSet() = default;
    explicit TouchSet(std::vector<rt::Ref<Touch>> touches) : _touches(std::move(touches)) {}

    // "anyObject": the first touch, or null for an empty set.
    rt::Ref<Touch> anyObject() const;
    std::size_t count() const { return _touches.size(); }
    // "count", answered as the runtime's integer type.
    long long touchCount() const { return static_cast<long long>(_touches.size()); }
    const std::vector<rt::Ref<Touch>>& allObjects() const { return _touches; }
    bool containsObject(const Touch* touch) const;

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    std::vector<rt::Ref<Touch>> _touches;
};

}  // namespace ui
