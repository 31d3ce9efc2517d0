#include "ui/Button.h"

#include <algorithm>

#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace ui {

namespace {

template <class Value>
const Value* valueForState(const std::map<unsigned long, Value>& values, unsigned long state) {
    if (auto found = values.find(state); found != values.end()) return &found->second;
    if (auto normal = values.find(ControlState::kNormal); normal != values.end())
        return &normal->second;
    return nullptr;
}

}  // namespace

Button::Button() : Button(Rect::zero()) {}

Button::Button(const Rect& frame) : Control(frame) {}

void Button::setImage(rt::Ref<Image> image, unsigned long state) {
    if (image) {
        _images[state] = std::move(image);
    } else {
        _images.erase(state);
    }
    refreshContent();
    setNeedsLayout();
}

rt::Ref<Image> Button::imageForState(unsigned long state) const {
    const rt::Ref<Image>* image = valueForState(_images, state);
    return image ? *image : nullptr;
}

void Button::setTitle(std::string title, unsigned long state) {
    _titles[state] = std::move(title);
    refreshContent();
    setNeedsLayout();
}

std::string Button::titleForState(unsigned long state) const {
    const std::string* title = valueForState(_titles, state);
    return title ? *title : std::string();
}

rt::Ref<ImageView> Button::imageView() {
    if (!_imageView) {
        _imageView = rt::make<ImageView>();
        addSubview(_imageView.get());
        refreshContent();
    }
    return _imageView;
}

rt::Ref<Label> Button::titleLabel() {
    if (!_titleLabel) {
        _titleLabel = rt::make<Label>();
        _titleLabel->setTextAlignment(TextAlignment::Center);
        addSubview(_titleLabel.get());
        refreshContent();
    }
    return _titleLabel;
}

void Button::setAdjustsImageWhenHighlighted(bool adjusts) {
    _adjustsImageWhenHighlighted = adjusts;
    refreshContent();
}

void Button::stateDidChange() {
    refreshContent();
}

void Button::refreshContent() {
    if (_imageView) {
        _imageView->setImage(currentImage());
        _imageView->setDimmed(isHighlighted() && _adjustsImageWhenHighlighted);
    }
    if (_titleLabel) _titleLabel->setText(currentTitle());
}

void Button::layoutSubviews() {
    View::layoutSubviews();
    const Rect area = bounds();
    const bool showsImage = _imageView && _imageView->image();
    const bool showsTitle = _titleLabel && !_titleLabel->text().empty();
    if (showsImage && showsTitle) {
        const double side = std::min(area.height(), area.width());
        const bool rightToLeft = isRightToLeft();
        _imageView->setFrame(
            Rect(rightToLeft ? area.maxX() - side : area.minX(), area.minY(), side, area.height()));
        _titleLabel->setFrame(Rect(rightToLeft ? area.minX() : area.minX() + side, area.minY(),
                                   area.width() - side, area.height()));
        return;
    }
    if (_imageView) _imageView->setFrame(area);
    if (_titleLabel) _titleLabel->setFrame(area);
}

void Button::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {rt::bind<&Button::layoutSubviews>("layoutSubviews")});
}

}  // namespace ui
