#include "springboard/SBUIActionView.h"

#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "foundation/ActionHandler.h"
#include "foundation/StringComparison.h"
#include "rt/Fields.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "rt/Runtime.h"
#include "springboard/MenuAppearance.h"
#include "springboard/MenuGeometry.h"
#include "springboard/SBUIAction.h"
#include "springboard/SBUILegibilityLabel.h"
#include "ui/Event.h"
#include "ui/Font.h"
#include "ui/Image.h"
#include "ui/Touch.h"
#include "ui/TouchSet.h"

namespace springboard {

namespace {

constexpr double kLegibilityLabelAlpha = 0.35;
constexpr double kTitleFontSize = 17;
constexpr double kSubtitleFontSize = 13;
constexpr const char* kLegibilityTreatedTitleLabel = "_legibilityTreatedTitleLabel";
constexpr const char* kLegibilityTreatedSubtitleLabel = "_legibilityTreatedSubtitleLabel";

// A faint copy laid exactly over a text label, in the same font.
rt::Ref<ui::Label> makeLegibilityTreatedLabel(const std::string& text, double fontSize) {
    auto label = rt::make<ui::Label>();
    label->setText(text);
    label->setFont(ui::Font::systemFontOfSize(fontSize));
    label->setAlpha(kLegibilityLabelAlpha);
    label->setUserInteractionEnabled(false);
    return label;
}

}  // namespace

SBUIActionView::SBUIActionView()
    : ui::View(ui::Rect(0, 0, MenuGeometry::kMenuWidth, MenuGeometry::kRowHeight)) {}

SBUIActionView::~SBUIActionView() = default;

bool SBUIActionView::systemHasLegibilityLabels() {
    return ui::StringComparison::compare(device::Phone::shared().systemVersion(), "11.4.1",
                                         ui::StringComparison::kNumeric) ==
           ui::StringComparison::Result::Descending;
}

void SBUIActionView::matchFieldsToSystem(bool withLegibilityLabels) {
    using Row = SBUIActionView;
    rt::Class* cls = rt::lookUpClass(kClassName);
    if (!cls) return;
    if (withLegibilityLabels) {
        rt::declareField(cls, kLegibilityTreatedTitleLabel, &Row::_legibilityTreatedTitleLabel);
        rt::declareField(cls, kLegibilityTreatedSubtitleLabel,
                         &Row::_legibilityTreatedSubtitleLabel);
    } else {
        rt::forgetField(cls, kLegibilityTreatedTitleLabel);
        rt::forgetField(cls, kLegibilityTreatedSubtitleLabel);
    }
}

// Builds the row's views for the action; the texts are the action's, literally.
rt::Ref<SBUIActionView> SBUIActionView::initWithAction(rt::Ref<SBUIAction> action) {
    const bool withLegibilityLabels = systemHasLegibilityLabels();
    if (rt::hasField(this, kLegibilityTreatedTitleLabel) != withLegibilityLabels)
        matchFieldsToSystem(withLegibilityLabels);
    _action = action;
    const std::string title = action ? action->title() : std::string();
    const std::string subtitle = action ? action->subtitle() : std::string();

    _titleContainer = rt::make<ui::View>();
    _titleContainer->setUserInteractionEnabled(false);
    _subtitleContainer = rt::make<ui::View>();
    _subtitleContainer->setUserInteractionEnabled(false);
    _titleLabel = rt::make<SBUILegibilityLabel>();
    _titleLabel->setText(title);
    _subtitleLabel = rt::make<ui::Label>();
    _subtitleLabel->setText(subtitle);
    _subtitleLabel->setFont(ui::Font::systemFontOfSize(kSubtitleFontSize));
    _titleContainer->addSubview(_titleLabel.get());
    _subtitleContainer->addSubview(_subtitleLabel.get());
    addSubview(_titleContainer.get());
    addSubview(_subtitleContainer.get());

    if (withLegibilityLabels) {
        _legibilityTreatedTitleLabel = makeLegibilityTreatedLabel(title, kTitleFontSize);
        _legibilityTreatedSubtitleLabel = makeLegibilityTreatedLabel(subtitle, kSubtitleFontSize);
        _titleContainer->addSubview(_legibilityTreatedTitleLabel.get());
        _subtitleContainer->addSubview(_legibilityTreatedSubtitleLabel.get());
    }

    _imageView = rt::make<ui::ImageView>();
    _imageView->setUserInteractionEnabled(false);
    _imageView->setContentMode(ui::ContentMode::ScaleAspectFit);
    if (action) _imageView->setImage(rt::cast<ui::Image>(action->image()));
    addSubview(_imageView.get());

    MenuAppearance::apply(*this);
    setNeedsLayout();
    return rt::retained(this);
}

void SBUIActionView::layoutSubviews() {
    using G = MenuGeometry;
    const double width = bounds().width();
    const double height = bounds().height();
    const double containerWidth =
        std::max(0.0, width - 2 * G::kRowInset - G::kIconSize - G::kIconGap);
    const bool rightToLeft = isRightToLeft();
    const double containerX =
        rightToLeft ? G::kRowInset + G::kIconSize + G::kIconGap : G::kRowInset;
    const double iconX = rightToLeft ? G::kRowInset : width - G::kRowInset - G::kIconSize;
    const double containerTop = (height - G::kTitleHeight - G::kSubtitleHeight) / 2;

    if (_titleContainer && _subtitleContainer) {
        _titleContainer->setFrame(
            ui::Rect(containerX, containerTop, containerWidth, G::kTitleHeight));
        _subtitleContainer->setFrame(ui::Rect(containerX, containerTop + G::kTitleHeight,
                                              containerWidth, G::kSubtitleHeight));
        const ui::Rect titleFrame(0, 0, containerWidth, G::kTitleHeight);
        const ui::Rect subtitleFrame(0, 0, containerWidth, G::kSubtitleHeight);
        _titleLabel->setFrame(titleFrame);
        _titleLabel->layoutSubviews();
        _subtitleLabel->setFrame(subtitleFrame);
        const auto alignment = rightToLeft ? ui::TextAlignment::Right : ui::TextAlignment::Left;
        _titleLabel->label()->setTextAlignment(alignment);
        _subtitleLabel->setTextAlignment(alignment);
        if (_legibilityTreatedTitleLabel) _legibilityTreatedTitleLabel->setFrame(titleFrame);
        if (_legibilityTreatedSubtitleLabel)
            _legibilityTreatedSubtitleLabel->setFrame(subtitleFrame);
    }
    if (_imageView)
        _imageView->setFrame(
            ui::Rect(iconX, (height - G::kIconSize) / 2, G::kIconSize, G::kIconSize));
}

void SBUIActionView::setHighlighted(bool highlighted) {
    _highlighted = highlighted;
}

rt::Ref<rt::Object> SBUIActionView::action() const {
    return _action;
}

bool SBUIActionView::touchIsInside(ui::TouchSet* touches) const {
    rt::Ref<ui::Touch> touch = touches ? touches->anyObject() : nullptr;
    return touch && bounds().contains(touch->locationInView(this));
}

void SBUIActionView::touchesBegan(ui::TouchSet*, ui::Event*) {
    rt::send<void>(this, rt::sel("setHighlighted:"), true);
}

void SBUIActionView::touchesMoved(ui::TouchSet* touches, ui::Event*) {
    const bool inside = touchIsInside(touches);
    if (inside != _highlighted) rt::send<void>(this, rt::sel("setHighlighted:"), inside);
}

// Lifting inside the row runs its action's handler with the row still highlighted: the
// activation closes the menu, so the host leaves the highlight to whoever keeps the menu
// open. Lifting outside takes the highlight off.
void SBUIActionView::touchesEnded(ui::TouchSet* touches, ui::Event*) {
    rt::Ref<SBUIActionView> keep = rt::retained(this);
    if (!touchIsInside(touches)) {
        rt::send<void>(this, rt::sel("setHighlighted:"), false);
        return;
    }
    auto* action = rt::cast<SBUIAction>(_action.get());
    if (auto* handler = action ? rt::cast<ActionHandler>(action->handler().get()) : nullptr)
        handler->invoke();
}

void SBUIActionView::touchesCancelled(ui::TouchSet*, ui::Event*) {
    rt::send<void>(this, rt::sel("setHighlighted:"), false);
}

void SBUIActionView::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    using Row = SBUIActionView;
    rt::Class* cls = device::registerUnlessLeftOut<Row, ui::View>(configuration);
    if (!cls) return;
    rt::addMethods(cls, {
                            rt::bind<&Row::initWithAction>("initWithAction:"),
                            rt::bind<&Row::layoutSubviews>("layoutSubviews"),
                            rt::bind<&Row::setHighlighted>("setHighlighted:"),
                            rt::bind<&Row::isHighlighted>("isHighlighted"),
                            rt::bind<&Row::action>("action"),
                            rt::bind<&Row::touchesBegan>("touchesBegan:withEvent:"),
                            rt::bind<&Row::touchesMoved>("touchesMoved:withEvent:"),
                            rt::bind<&Row::touchesEnded>("touchesEnded:withEvent:"),
                            rt::bind<&Row::touchesCancelled>("touchesCancelled:withEvent:"),
                        });
    rt::declareField(cls, "_titleLabel", &Row::_titleLabel);
    rt::declareField(cls, "_subtitleLabel", &Row::_subtitleLabel);
    // "_legibilityTreatedTitleLabel" and "_legibilityTreatedSubtitleLabel": see
    // matchFieldsToSystem, run as rows are made.
    rt::declareField(cls, "_imageView", &Row::_imageView);
    rt::declareField(cls, "_action", &Row::_action);
}

}  // namespace springboard
