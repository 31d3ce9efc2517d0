#pragma once

#include "rt/Ref.h"
#include "ui/Button.h"
#include "ui/Color.h"
#include "ui/Label.h"
#include "ui/Rect.h"
#include "ui/Slider.h"
#include "ui/View.h"

namespace morvane {

// The inline editor of a level (volume or brightness): a slider for 0...1 and, in a shared
// 40-point strip at the right end, the level as a percentage or a remove button, cross-faded.
//
// The children are placed once, from the frame given at creation; the view never lays them
// out again. The view adds no target or action to its controls and never writes
// sliderIsDragging: its owner wires the controls and marks drags.
//
// Selectors: "initWithFrame:" is the constructor; "setupView", "addSlider",
// "addPercentLabel", "addRemoveButton", "setUIElementsColor:", "showPercentLabelAnimated:",
// "showRemoveButtonAnimated:" and the accessors "sliderIsDragging", "slider",
// "percentLabel", "removeButton" with their setters.
class SliderView : public ui::View {
  public:
    static constexpr const char* kClassName = "SliderView";

    // The right-hand strip that the label and the button share, and the button inside it.
    static constexpr double kStripWidth = 40;
    static constexpr double kRemoveButtonInset = 33;  // from the view's right edge
    static constexpr double kRemoveButtonWidth = 28;
    static constexpr double kPercentFontSize = 13;
    static constexpr double kFadeDuration = 0.3;

    SliderView();
    explicit SliderView(const ui::Rect& frame);

    void setupView();
    void addSlider();
    void addPercentLabel();
    void addRemoveButton();

    // The label's text and the remove icon take the colour; the slider turns white only for
    // the system white and keeps its dark grey tint otherwise.
    void setUIElementsColor(const rt::Ref<ui::Color>& color);
    // Label opaque and button transparent, in one animation (0.3 s, or at once).
    void showPercentLabelAnimated(bool animated);
    // Button opaque and label transparent, in one animation (0.3 s, or at once).
    void showRemoveButtonAnimated(bool animated);

    bool sliderIsDragging() const { return _sliderIsDragging; }
    void setSliderIsDragging(bool dragging) { _sliderIsDragging = dragging; }
    const rt::Ref<ui::Slider>& slider() const { return _slider; }
    void setSlider(rt::Ref<ui::Slider> slider) { _slider = std::move(slider); }
    const rt::Ref<ui::Label>& percentLabel() const { return _percentLabel; }
    void setPercentLabel(rt::Ref<ui::Label> label) { _percentLabel = std::move(label); }
    const rt::Ref<ui::Button>& removeButton() const { return _removeButton; }
    void setRemoveButton(rt::Ref<ui::Button> button) { _removeButton = std::move(button); }

    static void registerRuntimeClass();

  private:
    void crossFade(double percentLabelAlpha, double removeButtonAlpha, bool animated);

    bool _sliderIsDragging = false;
    rt::Ref<ui::Slider> _slider;
    rt::Ref<ui::Label> _percentLabel;
    rt::Ref<ui::Button> _removeButton;
};

}  // namespace morvane
