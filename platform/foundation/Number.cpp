#include "foundation/Number.h"

#include <cmath>
#include <limits>

#include "rt/MethodBinding.h"
#include "rt/ObjectFactory.h"
#include "rt/World.h"

namespace rt {

namespace {

// A double outside the 64-bit range (or NaN) converts to the nearest bound (NaN to 0)
// rather than overflowing, which is undefined behaviour in C++.
std::int64_t saturatingInteger(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    if (value >= kLimit) return std::numeric_limits<std::int64_t>::max();
    if (value < -kLimit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

}  // namespace

double Number::doubleValue() const {
    return std::visit([](auto value) { return static_cast<double>(value); }, _value);
}

long long Number::longLongValue() const {
    if (const double* real = std::get_if<double>(&_value)) return saturatingInteger(*real);
    return std::visit([](auto value) { return static_cast<long long>(value); }, _value);
}

bool Number::boolValue() const {
    return std::visit([](auto value) { return value != 0; }, _value);
}

void Number::registerRuntimeClass(World& world) {
    auto allocate = [](Class* cls) {
        return Ref<Object>(ObjectFactory::construct<Number>(cls, 0));
    };
    Class* cls = world.registerClass(kClassName, world.rootClass(), allocate, &typeid(Number));
    addMethods(cls, {
                        bind<&Number::doubleValue>("doubleValue"),
                        bind<&Number::longLongValue>("longLongValue"),
                        bind<&Number::intValue>("intValue"),
                        bind<&Number::boolValue>("boolValue"),
                    });
}

}  // namespace rt
