#include "tweak/menu/EnabledTogglesRow.h"

#include <algorithm>
#include <string>

#include "rt/Make.h"
#include "tweak/menu/HostMenuObjects.h"
#include "tweak/menu/MenuControllerRegistry.h"
#include "tweak/menu/ToggleFieldOrder.h"
#include "tweak/startup/SharedState.h"
#include "tweak/store/CustomValuesStore.h"
#include "tweak/widgets/TogglesView.h"

namespace morvane {

namespace {

constexpr const char* kCarbon = "carbon";

rt::Ref<ui::Color> enabledTogglesColor() {
    const bool white =
        SharedState::darkModeEnabled() && SharedState::darkModeTweakName() != kCarbon;
    return white ? ui::Color::whiteColor() : ui::Color::blackColor();
}

// The row of the menu row, made on first need; an existing one keeps its colour.
rt::Ref<TogglesView> enabledTogglesViewOf(rt::Object* row) {
    if (rt::Ref<TogglesView> existing = MenuControllerRegistry::enabledTogglesView(row))
        return existing;
    rt::Ref<TogglesView> made = rt::make<TogglesView>(ui::Rect::zero(), enabledTogglesColor());
    MenuControllerRegistry::setProperty(row, MenuControllerRegistry::kEnabledTogglesView,
                                        made.get());
    made->setAlpha(EnabledTogglesRow::kAlpha);
    return made;
}

}  // namespace

ui::Rect EnabledTogglesRow::frameFor(const ui::Rect& container, double subtitleHeight,
                                     std::size_t storedToggles, bool rightToLeft) {
    const double height = std::max(0.0, subtitleHeight - kInset);
    const double perToggle = height + kButtonSpacing;
    const double width =
        std::max(0.0, std::min(perToggle * static_cast<double>(storedToggles), container.width()));
    double x = container.x() + kInset;
    if (rightToLeft) x += container.width() - width - kInset;
    return ui::Rect(x, container.y() + kInset, width, height);
}

void EnabledTogglesRow::refreshEnabledTogglesView(rt::Object* row) {
    auto* rowView = rt::cast<ui::View>(row);
    if (!rowView) return;
    const rt::Ref<TogglesView> toggles = enabledTogglesViewOf(row);
    const std::string bundleId = SharedState::currentForceTouchedAppBundleId().value_or("");

    ui::Label* subtitle = HostMenuObjects::subtitleLabel(row);
    const rt::Ref<ui::View> container = subtitle ? subtitle->superview() : nullptr;
    const auto stored = CustomValuesStore::getCustomTogglesForApp(bundleId);
    toggles->setFrame(frameFor(container ? container->frame() : ui::Rect::zero(),
                               subtitle ? subtitle->frame().height() : 0,
                               stored ? stored->size() : 0,
                               HostMenuObjects::layoutIsRightToLeft()));

    for (std::string_view name : kToggleFieldOrder) {
        const std::int32_t state =
            CustomValuesStore::getCustomToggleStateForApp(std::string(name), bundleId);
        if (auto button = toggles->toggleButton(name))
            button->setHasToBeShown(state != CustomValuesStore::kNoToggleState);
    }
    toggles->addEnabledButtonsToStackView();
    toggles->layoutIfNeeded();
    for (std::string_view name : kToggleFieldOrder) {
        if (auto button = toggles->toggleButton(name))
            button->setCurrentState(
                CustomValuesStore::getCustomToggleStateForApp(std::string(name), bundleId));
    }
    rowView->addSubview(toggles.get());
}

}  // namespace morvane
