#include "support/MenuDriver.h"

#include <algorithm>

#include "device/Phone.h"
#include "rt/Messaging.h"
#include "springboard/DeclaredShortcuts.h"
#include "springboard/IconMenu.h"
#include "springboard/MenuAppearance.h"
#include "springboard/SBUIActionView.h"
#include "springboard/SBUIAppIconForceTouchShortcutViewController.h"
#include "tweak/menu/HostMenuObjects.h"
#include "tweak/menu/MenuControllerRegistry.h"
#include "tweak/widgets/SliderView.h"
#include "tweak/widgets/TogglesView.h"

namespace tweak_testing {

namespace {

using springboard::IconMenu;

ui::Point centerOnScreen(ui::View* view) {
    const ui::Rect bounds = view->bounds();
    return view->convertPointToView({bounds.midX(), bounds.midY()}, IconMenu::screen().get());
}

ui::Slider* openSlider() {
    const auto controller = IconMenu::shortcutViewController();
    if (!controller) return nullptr;
    for (const auto& row : controller->actionViews()) {
        if (auto slider = morvane::MenuControllerRegistry::sliderView(row.get()))
            return slider->slider().get();
    }
    return nullptr;
}

// Where on the screen the open slider's thumb stands at `level`.
ui::Point sliderPoint(double level) {
    ui::Slider* slider = openSlider();
    const ui::Rect bounds = slider->bounds();
    const double track = std::max(1.0, bounds.width() - ui::Slider::kThumbDiameter);
    const ui::Point local{ui::Slider::kThumbDiameter / 2 + level * track, bounds.midY()};
    return slider->convertPointToView(local, IconMenu::screen().get());
}

}  // namespace

void MenuDriver::declareShortcut(const std::string& bundleId, const std::string& type,
                                 const std::string& title) {
    springboard::DeclaredShortcuts::declare(bundleId, {type, title});
}

void MenuDriver::press(const std::string& bundleId) {
    IconMenu::press(bundleId);
}

// The row's icon, at its trailing side, is never under an editor.
void MenuDriver::choose(const std::string& title) {
    auto* rowView = rt::cast<springboard::SBUIActionView>(row(title).get());
    if (!rowView) return;
    IconMenu::tap(centerOnScreen(rowView->imageView().get()));
}

void MenuDriver::drag(double level) {
    IconMenu::touchDown(sliderPoint(openSlider()->value()));
    IconMenu::touchMove(sliderPoint(level));
    IconMenu::touchUp();
}

void MenuDriver::touch(const std::string& phase) {
    if (phase == "began")
        IconMenu::touchDown(sliderPoint(openSlider()->value()));
    else if (phase == "ended")
        IconMenu::touchUp();
    else
        IconMenu::touchCancel();
}

void MenuDriver::touchMoved(double level) {
    IconMenu::touchMove(sliderPoint(level));
}

void MenuDriver::tapRemove() {
    for (const auto& open : IconMenu::shortcutViewController()->actionViews()) {
        if (auto slider = morvane::MenuControllerRegistry::sliderView(open.get())) {
            IconMenu::tap(centerOnScreen(slider->removeButton().get()));
            return;
        }
    }
}

void MenuDriver::tapToggle(const std::string& toggleName) {
    for (const auto& open : IconMenu::shortcutViewController()->actionViews()) {
        if (auto toggles = morvane::MenuControllerRegistry::togglesView(open.get())) {
            IconMenu::tap(centerOnScreen(toggles->toggleButton(toggleName).get()));
            return;
        }
    }
}

void MenuDriver::dismiss() {
    IconMenu::close();
}

bool MenuDriver::menuIsOpen() {
    return IconMenu::isOpen();
}

rt::Ref<rt::Object> MenuDriver::controller() {
    return IconMenu::shortcutViewController();
}

rt::Ref<rt::Object> MenuDriver::row(const std::string& title) {
    const auto controller = IconMenu::shortcutViewController();
    if (!controller) return nullptr;
    for (const auto& candidate : controller->actionViews()) {
        const rt::Ref<rt::Object> action =
            rt::send<rt::Ref<rt::Object>>(candidate, rt::sel("action"));
        if (morvane::HostMenuObjects::stringAnswer(action.get(), "title") == title)
            return candidate;
    }
    return nullptr;
}

std::string MenuDriver::launched() {
    return IconMenu::lastLaunched();
}

std::string MenuDriver::subtitle(const std::string& title) {
    ui::Label* label = morvane::HostMenuObjects::subtitleLabel(row(title).get());
    return label ? label->text() : std::string();
}

ui::Rect MenuDriver::editorFrame() {
    for (const auto& open : IconMenu::shortcutViewController()->actionViews()) {
        if (auto slider = morvane::MenuControllerRegistry::sliderView(open.get()))
            return slider->frame();
        if (auto toggles = morvane::MenuControllerRegistry::togglesView(open.get()))
            return toggles->frame();
    }
    return ui::Rect::zero();
}

int MenuDriver::haptics() {
    return static_cast<int>(device::Phone::shared().impactCount());
}

void MenuDriver::setAppearance(const std::string& appearance) {
    springboard::MenuAppearance::set(springboard::MenuAppearance::named(appearance)
                                         .value_or(springboard::MenuAppearance::Kind::Stock));
}

}  // namespace tweak_testing
