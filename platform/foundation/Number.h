#pragma once

#include <concepts>
#include <cstdint>
#include <type_traits>
#include <variant>

#include "rt/Object.h"

namespace rt {

class World;

// A boxed number ("NSNumber") holding a double, a 64-bit integer or a boolean, so that
// plain values can be attached to objects. Each accessor converts like the device's:
// doubleValue of an integer is its value, boolValue is "not zero".
class Number : public Object {
  public:
    static constexpr const char* kClassName = "NSNumber";

    enum class Kind { Real, Integer, Boolean };

    explicit Number(double value) : _value(value) {}
    template <std::integral Integer>
    requires(!std::is_same_v<Integer, bool>) explicit Number(Integer value)
        : _value(static_cast<std::int64_t>(value)) {}
    explicit Number(bool value) : _value(value) {}

    Kind kind() const { return static_cast<Kind>(_value.index()); }
    double doubleValue() const;
    long long longLongValue() const;
    int intValue() const { return static_cast<int>(longLongValue()); }
    bool boolValue() const;

    // Registers "NSNumber" in a fresh world, with the messages doubleValue, longLongValue,
    // intValue and boolValue.
    static void registerRuntimeClass(World& world);

  private:
    std::variant<double, std::int64_t, bool> _value;
};

}  // namespace rt
