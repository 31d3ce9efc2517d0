#include "tweak/widgets/SliderView.h"

#include "rt/Fields.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "tweak/widgets/BundleHelper.h"
#include "ui/ContentMode.h"
#include "ui/ControlEvents.h"
#include "ui/Font.h"

namespace morvane {

namespace {

constexpr const char* kRemoveIconName = "removeIcon";
constexpr const char* kFullPercentText = "100%";

}  // namespace

SliderView::SliderView() : SliderView(ui::Rect::zero()) {}

SliderView::SliderView(const ui::Rect& frame) : ui::View(frame) {
    setupView();
}

// Later children lie above earlier ones: the remove button covers the label.
void SliderView::setupView() {
    addSlider();
    addPercentLabel();
    addRemoveButton();
}

void SliderView::addSlider() {
    const ui::Rect area = frame();
    _slider = rt::make<ui::Slider>(ui::Rect(0, 0, area.width() - kStripWidth, area.height()));
    _slider->setBackgroundColor(ui::Color::clearColor());
    _slider->setTintColor(ui::Color::darkGrayColor());
    _slider->setMinimumValue(0.0f);
    _slider->setMaximumValue(1.0f);
    _slider->setContinuous(true);
    addSubview(_slider.get());
}

void SliderView::addPercentLabel() {
    const ui::Rect area = frame();
    _percentLabel =
        rt::make<ui::Label>(ui::Rect(area.width() - kStripWidth, 0, kStripWidth, area.height()));
    _percentLabel->setFont(ui::Font::systemFontOfSize(kPercentFontSize));
    _percentLabel->setTextAlignment(ui::TextAlignment::Center);
    _percentLabel->setText(kFullPercentText);
    addSubview(_percentLabel.get());
}

void SliderView::addRemoveButton() {
    const ui::Rect area = frame();
    _removeButton = ui::Button::buttonWithType(ui::Button::Type::System);
    _removeButton->setFrame(
        ui::Rect(area.width() - kRemoveButtonInset, 0, kRemoveButtonWidth, area.height()));
    _removeButton->setImage(BundleHelper::getImageWithName(kRemoveIconName),
                            ui::ControlState::kNormal);
    _removeButton->imageView()->setContentMode(ui::ContentMode::ScaleAspectFit);
    addSubview(_removeButton.get());
}

void SliderView::setUIElementsColor(const rt::Ref<ui::Color>& color) {
    if (_percentLabel) _percentLabel->setTextColor(color);
    if (_removeButton) _removeButton->setTintColor(color);
    const bool white = rt::send<bool>(color, rt::sel("isEqual:"), ui::Color::whiteColor());
    if (white && _slider) _slider->setTintColor(ui::Color::whiteColor());
}

void SliderView::showPercentLabelAnimated(bool animated) {
    crossFade(1, 0, animated);
}

void SliderView::showRemoveButtonAnimated(bool animated) {
    crossFade(0, 1, animated);
}

// Both alphas change in the same block, so the fade-in and the fade-out run together. A
// control at alpha 0 takes no touches, which disables the hidden remove button.
void SliderView::crossFade(double percentLabelAlpha, double removeButtonAlpha, bool animated) {
    ui::View::animate(animated ? kFadeDuration : 0, [&] {
        if (_percentLabel) _percentLabel->setAlpha(percentLabelAlpha);
        if (_removeButton) _removeButton->setAlpha(removeButtonAlpha);
    });
}

void SliderView::registerRuntimeClass() {
    rt::Class* cls = rt::registerClass<SliderView, ui::View>();
    rt::addMethods(cls,
                   {
                       rt::bind<&SliderView::setupView>("setupView"),
                       rt::bind<&SliderView::addSlider>("addSlider"),
                       rt::bind<&SliderView::addPercentLabel>("addPercentLabel"),
                       rt::bind<&SliderView::addRemoveButton>("addRemoveButton"),
                       rt::bind<&SliderView::setUIElementsColor>("setUIElementsColor:"),
                       rt::bind<&SliderView::showPercentLabelAnimated>("showPercentLabelAnimated:"),
                       rt::bind<&SliderView::showRemoveButtonAnimated>("showRemoveButtonAnimated:"),
                       rt::bind<&SliderView::sliderIsDragging>("sliderIsDragging"),
                       rt::bind<&SliderView::setSliderIsDragging>("setSliderIsDragging:"),
                       rt::bind<&SliderView::slider>("slider"),
                       rt::bind<&SliderView::setSlider>("setSlider:"),
                       rt::bind<&SliderView::percentLabel>("percentLabel"),
                       rt::bind<&SliderView::setPercentLabel>("setPercentLabel:"),
                       rt::bind<&SliderView::removeButton>("removeButton"),
                       rt::bind<&SliderView::setRemoveButton>("setRemoveButton:"),
                   });
    rt::declareField(cls, "_sliderIsDragging", &SliderView::_sliderIsDragging);
    rt::declareField(cls, "_slider", &SliderView::_slider);
    rt::declareField(cls, "_percentLabel", &SliderView::_percentLabel);
    rt::declareField(cls, "_removeButton", &SliderView::_removeButton);
}

}  // namespace morvane
