#pragma once

#include <cstdint>
#include <shared_mutex>
#include <string_view>
#include <unordered_map>

#include "rt/Selector.h"

namespace rt {

// Process-wide pairing of property setters with their getters; like selectors, it
// survives world resets.
class PropertyRegistry {
  public:
    static PropertyRegistry& shared();

    void record(Selector getter, Selector setter);
    // The getter paired with `setter`, or a null selector.
    Selector getterFor(Selector setter) const;

  private:
    mutable std::shared_mutex _mutex;
    std::unordered_map<std::uint32_t, Selector> _getterBySetter;
};

namespace detail {
// The getter selector of a property, from its setter ("setVolume:" -> "volume"); the
// pairing is recorded when the property is added.
Selector propertyGetterForSetter(Selector setter);
void recordPropertySelectors(Selector getter, Selector setter);
Selector setterSelectorFor(std::string_view propertyName);
}  // namespace detail

}  // namespace rt
