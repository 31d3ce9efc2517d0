#pragma once

#include <concepts>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "foundation/Number.h"
#include "rt/Associations.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/PropertyRegistry.h"

namespace rt {

// Adds a property to a class as a getter `name` and a setter `setName:`, backed by an
// attached value under a key unique to the property. An unset property reads T{}.
// T is double, a 64-bit integer (long long / std::int64_t), bool or Ref<Object>; the setter
// takes the canonical parameter type (rt::Object* for objects).
template <class T>
class Property {
    static_assert(std::is_same_v<T, double> || std::is_same_v<T, bool> ||
                      std::is_same_v<T, long long> || std::is_same_v<T, std::int64_t> ||
                      std::is_same_v<T, Ref<Object>>,
                  "properties hold double, 64-bit integers, bool or Ref<Object>");

  public:
    // Answers true when both accessors were added (false if the class already had one).
    static bool add(Class* cls, std::string_view name) {
        const Selector getterSelector = sel(name);
        const Selector setterSelector = detail::setterSelectorFor(name);
        detail::recordPropertySelectors(getterSelector, setterSelector);
        const bool addedGetter = detail::addMethod(cls, getterSelector, &getter);
        const bool addedSetter = detail::addMethod(cls, setterSelector, &setter);
        return addedGetter && addedSetter;
    }

  private:
    static T getter(Object* self, Selector cmd) {
        Object* stored = getAssociatedObject(self, cmd.key());
        if constexpr (std::is_same_v<T, Ref<Object>>) {
            return Ref<Object>(stored);
        } else {
            const Number* number = dynamic_cast<const Number*>(stored);
            if (!number) return T{};
            if constexpr (std::is_same_v<T, double>)
                return number->doubleValue();
            else if constexpr (std::is_same_v<T, bool>)
                return number->boolValue();
            else
                return static_cast<T>(number->longLongValue());
        }
    }

    static void setter(Object* self, Selector cmd, CanonicalParam<T> value) {
        const void* key = detail::propertyGetterForSetter(cmd).key();
        if constexpr (std::is_same_v<T, Ref<Object>>) {
            setAssociatedObject(self, key, Ref<Object>(value));
        } else {
            setAssociatedObject(self, key, make<Number>(value));
        }
    }
};

}  // namespace rt
