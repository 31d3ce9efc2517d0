#include "tweak/widgets/TogglesView.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "rt/Fields.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "ui/LayoutConstraint.h"

namespace morvane {

namespace {

constexpr std::string_view kButtonPropertySuffix = "ToggleButton";
constexpr const char* kStackViewName = "togglesStackView";
constexpr const char* kHorizontalEdges = "H:|-0-[togglesStackView]-0-|";
constexpr const char* kVerticalEdges = "V:|-0-[togglesStackView]-0-|";

// "wifiToggleButton" for "wifi".
std::string getterName(std::string_view toggleName) {
    return std::string(toggleName) + std::string(kButtonPropertySuffix);
}

// "setWifiToggleButton:" for "wifi".
std::string setterName(std::string_view toggleName) {
    std::string name = getterName(toggleName);
    name.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(name.front())));
    return "set" + name + ":";
}

// The toggle whose accessor the selector names: "wifi" for "wifiToggleButton" and for
// "setWifiToggleButton:".
std::string toggleNameOfAccessor(const std::string& selectorName) {
    std::string name = selectorName;
    if (name.starts_with("set") && name.ends_with(":")) {
        name = name.substr(3, name.size() - 4);
        if (!name.empty())
            name.front() =
                static_cast<char>(std::tolower(static_cast<unsigned char>(name.front())));
    }
    if (name.ends_with(kButtonPropertySuffix))
        name.resize(name.size() - kButtonPropertySuffix.size());
    return name;
}

// The per-toggle accessors share one implementation each and read the toggle from the
// selector they were sent with.
rt::Ref<rt::Object> toggleButtonAccessor(rt::Object* self, rt::Selector cmd) {
    return rt::cast<TogglesView>(self)->toggleButton(toggleNameOfAccessor(cmd.name()));
}
void setToggleButtonAccessor(rt::Object* self, rt::Selector cmd, rt::Object* button) {
    rt::cast<TogglesView>(self)->setToggleButton(toggleNameOfAccessor(cmd.name()),
                                                 rt::retained(rt::cast<ToggleButton>(button)));
}

}  // namespace

const std::array<TogglesView::ButtonSlot, kToggleCount>& TogglesView::buttonSlots() {
    static const std::array<ButtonSlot, kToggleCount> slots = {{
        {"orientationLock", &TogglesView::_orientationLockToggleButton},
        {"bluetooth", &TogglesView::_bluetoothToggleButton},
        {"cellular", &TogglesView::_cellularToggleButton},
        {"wifi", &TogglesView::_wifiToggleButton},
        {"airplane", &TogglesView::_airplaneToggleButton},
        {"dnd", &TogglesView::_dndToggleButton},
        {"location", &TogglesView::_locationToggleButton},
        {"autoBrightness", &TogglesView::_autoBrightnessToggleButton},
        {"autoLock", &TogglesView::_autoLockToggleButton},
        {"lowPower", &TogglesView::_lowPowerToggleButton},
        {"nightShift", &TogglesView::_nightShiftToggleButton},
        {"vpn", &TogglesView::_vpnToggleButton},
    }};
    return slots;
}

const TogglesView::ButtonSlot* TogglesView::slotFor(std::string_view toggleName) {
    const auto& slots = buttonSlots();
    const auto found = std::find_if(
        slots.begin(), slots.end(),
        [toggleName](const ButtonSlot& slot) { return slot.toggleName == toggleName; });
    return found == slots.end() ? nullptr : &*found;
}

TogglesView::TogglesView() : TogglesView(ui::Rect::zero(), nullptr) {}

TogglesView::TogglesView(const ui::Rect& frame, rt::Ref<ui::Color> uiColor)
    : ui::View(frame), _uiColor(std::move(uiColor)) {
    setupView();
}

// The row stays empty until addEnabledButtonsToStackView.
void TogglesView::setupView() {
    _togglesStackView = rt::make<ui::StackView>();
    _togglesStackView->setAxis(ui::StackView::kAxisHorizontal);
    _togglesStackView->setDistribution(ui::StackView::kDistributionEqualSpacing);
    _togglesStackView->setAlignment(ui::StackView::kAlignmentCenter);
    _togglesStackView->setSpacing(0);
    _togglesStackView->setTranslatesAutoresizingMaskIntoConstraints(false);
    makeToggleButtons();
    addStackView();
}

// The buttons are made in row order, the toggle catalogue's.
void TogglesView::makeToggleButtons() {
    for (const ToggleDefinition& toggle : ToggleCatalogue::toggles()) {
        rt::Ref<ToggleButton> button = rt::make<ToggleButton>();
        button->setupWithToggleName(std::string(toggle.name), _uiColor);
        setToggleButton(toggle.name, std::move(button));
    }
}

// The stack fills the view exactly, pinned to its four edges.
void TogglesView::addStackView() {
    addSubview(_togglesStackView.get());
    const std::map<std::string, rt::Ref<ui::View>> views = {{kStackViewName, _togglesStackView}};
    addConstraints(
        ui::LayoutConstraint::constraintsWithVisualFormat(kHorizontalEdges, 0, {}, views));
    addConstraints(ui::LayoutConstraint::constraintsWithVisualFormat(kVerticalEdges, 0, {}, views));
}

void TogglesView::addEnabledButtonsToStackView() {
    if (!_togglesStackView) return;
    clearRow();
    for (const ToggleDefinition& toggle : ToggleCatalogue::toggles()) {
        if (rt::Ref<ToggleButton> button = toggleButton(toggle.name))
            button->addToStackViewIfNeeded(_togglesStackView.get());
    }
    const std::vector<rt::Ref<ui::View>> arranged = _togglesStackView->arrangedSubviews();
    if (arranged.empty()) return;
    const double size = buttonSizeFor(frame().width(), arranged.size());
    for (const rt::Ref<ui::View>& view : arranged) {
        if (auto* button = rt::cast<ToggleButton>(view.get())) button->setConstraintsForSize(size);
    }
}

// The buttons leave the screen; the view's fields keep them.
void TogglesView::clearRow() {
    const std::vector<rt::Ref<ui::View>> arranged = _togglesStackView->arrangedSubviews();
    for (const rt::Ref<ui::View>& view : arranged) {
        _togglesStackView->removeArrangedSubview(view.get());
        view->removeFromSuperview();
    }
}

// A row narrower than the margins of its buttons gives them no room at all, never a
// negative size.
double TogglesView::buttonSizeFor(double width, std::size_t count) {
    if (count == 0) return kMaximumButtonSize;
    const double share = width / static_cast<double>(count) - kButtonMargin;
    if (!(share < kMaximumButtonSize)) return kMaximumButtonSize;
    return std::max(0.0, share);
}

rt::Ref<ToggleButton> TogglesView::toggleButton(std::string_view toggleName) const {
    const ButtonSlot* slot = slotFor(toggleName);
    return slot ? this->*(slot->field) : nullptr;
}

void TogglesView::setToggleButton(std::string_view toggleName, rt::Ref<ToggleButton> button) {
    if (const ButtonSlot* slot = slotFor(toggleName)) this->*(slot->field) = std::move(button);
}

void TogglesView::registerRuntimeClass() {
    rt::Class* cls = rt::registerClass<TogglesView, ui::View>();
    rt::addMethods(
        cls,
        {
            rt::bind<&TogglesView::setupView>("setupView"),
            rt::bind<&TogglesView::addEnabledButtonsToStackView>("addEnabledButtonsToStackView"),
            rt::bind<&TogglesView::uiColor>("uiColor"),
            rt::bind<&TogglesView::setUiColor>("setUiColor:"),
        });
    rt::declareField(cls, "togglesStackView", &TogglesView::_togglesStackView);
    rt::declareField(cls, "_uiColor", &TogglesView::_uiColor);
    for (const ButtonSlot& slot : buttonSlots()) {
        rt::addMethods(cls, {rt::bind<&toggleButtonAccessor>(getterName(slot.toggleName)),
                             rt::bind<&setToggleButtonAccessor>(setterName(slot.toggleName))});
        rt::declareField(cls, "_" + getterName(slot.toggleName), slot.field);
    }
}

}  // namespace morvane
