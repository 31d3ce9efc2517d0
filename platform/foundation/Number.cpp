#include "foundation/Number.h"

#include <cmath>
#include <limits>

#include "rt/Messaging.h"
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

const Number& number(Object* self) {
    return static_cast<const Number&>(*self);
}

double doubleValueImp(Object* self, Selector) {
    return number(self).doubleValue();
}
long long longLongValueImp(Object* self, Selector) {
    return number(self).longLongValue();
}
int intValueImp(Object* self, Selector) {
    return static_cast<int>(number(self).longLongValue());
}
bool boolValueImp(Object* self, Selector) {
    return number(self).boolValue();
}

}  // namespace

double Number::doubleValue() const {
    return std::visit([](auto value) { return static_cast<double>(value); }, _value);
}

std::int64_t Number::longLongValue() const {
    if (const double* real = std::get_if<double>(&_value)) return saturatingInteger(*real);
    return std::visit([](auto value) { return static_cast<std::int64_t>(value); }, _value);
}

bool Number::boolValue() const {
    return std::visit([](auto value) { return value != 0; }, _value);
}

void Number::registerRuntimeClass(World& world) {
    auto allocate = [](Class* cls) {
        return Ref<Object>(ObjectFactory::construct<Number>(cls, 0));
    };
    Class* cls = world.registerClass(kClassName, world.rootClass(), allocate, &typeid(Number));
    addMethod(cls, sel("doubleValue"), &doubleValueImp);
    addMethod(cls, sel("longLongValue"), &longLongValueImp);
    addMethod(cls, sel("intValue"), &intValueImp);
    addMethod(cls, sel("boolValue"), &boolValueImp);
}

}  // namespace rt
