#pragma once

#include "rt/Object.h"
#include "rt/Ref.h"

namespace ui {

// The red, green, blue and alpha components of a colour, each from 0 to 1.
struct ColorComponents {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 0;

    friend bool operator==(const ColorComponents&, const ColorComponents&) = default;
};

// An immutable colour ("UIColor"). As on the device, a colour remembers whether it was made
// as a grey level or from red, green and blue: equality (isEqual:) asks for the same colour
// space and the same components, so white (white 1) is not equal to RGB (1, 1, 1).
class Color : public rt::Object {
  public:
    static constexpr const char* kClassName = "UIColor";

    enum class Space { Gray, Rgb };

    Color(Space space, const ColorComponents& components);

    static rt::Ref<Color> colorWithRed(double red, double green, double blue, double alpha);
    static rt::Ref<Color> colorWithWhite(double white, double alpha);
    static rt::Ref<Color> whiteColor();
    static rt::Ref<Color> blackColor();
    static rt::Ref<Color> clearColor();
    static rt::Ref<Color> darkGrayColor();
    static rt::Ref<Color> lightGrayColor();
    static rt::Ref<Color> grayColor();
    static rt::Ref<Color> redColor();
    static rt::Ref<Color> systemBlueColor();

    Space space() const { return _space; }
    // "getRed:green:blue:alpha:": a grey level answers equal red, green and blue.
    const ColorComponents& components() const { return _components; }
    rt::Ref<Color> colorWithAlphaComponent(double alpha) const;

    // "isEqual:": false for null and for an object that is not a colour.
    bool isEqual(const Color* other) const;
    bool hasSameValueAs(const Color& other) const;

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    Space _space;
    ColorComponents _components;
};

}  // namespace ui
