#pragma once

#include "rt/Object.h"
#include "rt/Ref.h"
#include "ui/TouchSet.h"

namespace ui {

// A touch event ("UIEvent"): the touches on the screen at that moment.
class Event : public rt::Object {
  public:
    static constexpr const char* kClassName = "UIEvent";

    Event();

    // "allTouches".
    rt::Ref<TouchSet> allTouches() const { return _touches; }
    void setTouches(rt::Ref<TouchSet> touches) { _touches = std::move(touches); }
    double timestamp() const { return _timestamp; }
    void setTimestamp(double timestamp) { _timestamp = timestamp; }

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    rt::Ref<TouchSet> _touches;
    double _timestamp = 0;
};

}  // namespace ui
