#pragma once

#include <string>

#include "rt/Object.h"
#include "rt/Ref.h"

namespace ui {

// A compositing filter on a layer ("CAFilter"), known by its name ("colorInvert").
class Filter : public rt::Object {
  public:
    static constexpr const char* kClassName = "CAFilter";

    explicit Filter(std::string name) : _name(std::move(name)) {}

    static rt::Ref<Filter> filterWithName(const std::string& name);

    const std::string& name() const { return _name; }

    // "valueForKey:": the name as a string object for "name", null for any other key.
    rt::Ref<rt::Object> valueForKey(const std::string& key) const;
    // What "valueForKey:" answers, without going through the runtime.
    rt::Ref<rt::Object> boxedValueForKey(const std::string& key) const;

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    std::string _name;
};

}  // namespace ui
