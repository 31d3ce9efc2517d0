#include "ui/Color.h"

#include <algorithm>

#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace ui {

namespace {

double clampUnit(double value) {
    return std::clamp(value, 0.0, 1.0);
}

}  // namespace

Color::Color(Space space, const ColorComponents& components)
    : _space(space),
      _components{clampUnit(components.red), clampUnit(components.green),
                  clampUnit(components.blue), clampUnit(components.alpha)} {}

rt::Ref<Color> Color::colorWithRed(double red, double green, double blue, double alpha) {
    return rt::make<Color>(Space::Rgb, ColorComponents{red, green, blue, alpha});
}

rt::Ref<Color> Color::colorWithWhite(double white, double alpha) {
    return rt::make<Color>(Space::Gray, ColorComponents{white, white, white, alpha});
}

rt::Ref<Color> Color::whiteColor() {
    return colorWithWhite(1, 1);
}
rt::Ref<Color> Color::blackColor() {
    return colorWithWhite(0, 1);
}
rt::Ref<Color> Color::clearColor() {
    return colorWithWhite(0, 0);
}
rt::Ref<Color> Color::darkGrayColor() {
    return colorWithWhite(1.0 / 3.0, 1);
}
rt::Ref<Color> Color::lightGrayColor() {
    return colorWithWhite(2.0 / 3.0, 1);
}
rt::Ref<Color> Color::grayColor() {
    return colorWithWhite(0.5, 1);
}
rt::Ref<Color> Color::redColor() {
    return colorWithRed(1, 0, 0, 1);
}
rt::Ref<Color> Color::systemBlueColor() {
    return colorWithRed(0, 122.0 / 255, 1, 1);
}

rt::Ref<Color> Color::colorWithAlphaComponent(double alpha) const {
    ColorComponents components = _components;
    components.alpha = alpha;
    return rt::make<Color>(_space, components);
}

bool Color::isEqual(const Color* other) const {
    return other && hasSameValueAs(*other);
}

bool Color::hasSameValueAs(const Color& other) const {
    return _space == other._space && _components == other._components;
}

void Color::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {rt::bind<&Color::isEqual>("isEqual:")});
}

}  // namespace ui
