#pragma once

#include "rt/Object.h"

namespace ui {

// Haptic taps ("UIImpactFeedbackGenerator"): each impact goes on the phone's timeline with
// its style. A system may lack the class (its device configuration leaves it out).
class ImpactFeedbackGenerator : public rt::Object {
  public:
    static constexpr const char* kClassName = "UIImpactFeedbackGenerator";

    // "UIImpactFeedbackStyle".
    static constexpr long kStyleLight = 0;
    static constexpr long kStyleMedium = 1;
    static constexpr long kStyleHeavy = 2;
    static constexpr long kStyleSoft = 3;
    static constexpr long kStyleRigid = 4;

    ImpactFeedbackGenerator() = default;
    explicit ImpactFeedbackGenerator(long style) : _style(style) {}  // "initWithStyle:"

    long style() const { return _style; }
    void prepare() {}
    void impactOccurred();

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    long _style = kStyleMedium;
};

}  // namespace ui
