#include "tweak/menu/ActionViewSetup.h"

#include "core/dispatch/Queue.h"
#include "foundation/BoxedString.h"
#include "rt/Hook.h"
#include "rt/Messaging.h"
#include "tweak/menu/EnabledTogglesRow.h"
#include "tweak/menu/HostMenuObjects.h"
#include "tweak/menu/MenuControllerRegistry.h"
#include "tweak/menu/MenuTexts.h"
#include "tweak/startup/ReplacementGuard.h"
#include "tweak/startup/Settings.h"
#include "tweak/startup/SharedState.h"
#include "ui/Layer.h"

namespace morvane {

namespace {

constexpr const char* kDune = "dune";
constexpr const char* kNoctis = "noctis";
constexpr const char* kCarbon = "carbon";
constexpr const char* kColorInvert = "colorInvert";

bool layerIsDarkModeEnabled(ui::Layer* layer) {
    const rt::Selector isDarkModeEnabled = rt::sel("isDarkModeEnabled");
    return rt::respondsToSelector(layer, isDarkModeEnabled) &&
           rt::send<bool>(layer, isDarkModeEnabled);
}

bool firstFilterIsColorInvert(ui::Layer* layer) {
    if (!layer || layer->filters().empty()) return false;
    const rt::Ref<rt::Object>& filter = layer->filters().front();
    const rt::Selector valueForKey = rt::sel("valueForKey:");
    if (!rt::respondsToSelector(filter, valueForKey)) return false;
    const rt::Ref<rt::Object> name = rt::send<rt::Ref<rt::Object>>(filter, valueForKey, "name");
    const auto* string = rt::cast<ui::BoxedString>(name.get());
    return string && string->value() == kColorInvert;
}

void registerRow(rt::Object* row, const std::string& title) {
    const rt::Ref<rt::Object> controller = MenuControllerRegistry::getInstance();
    if (title == MenuTexts::kVolumeTitle) {
        MenuControllerRegistry::setProperty(controller.get(),
                                            MenuControllerRegistry::kVolumeActionView, row);
    } else if (title == MenuTexts::kBrightnessTitle) {
        MenuControllerRegistry::setProperty(controller.get(),
                                            MenuControllerRegistry::kBrightnessActionView, row);
    } else if (title == MenuTexts::kTogglesTitle) {
        MenuControllerRegistry::setProperty(controller.get(),
                                            MenuControllerRegistry::kTogglesActionView, row);
        if (!Settings::isOn(Setting::showNbEnabledTogglesInsteadOfIcons))
            EnabledTogglesRow::refreshEnabledTogglesView(row);
    }
}

}  // namespace

rt::Ref<rt::Object> ActionViewSetup::initWithAction(rt::Object* self, rt::Selector cmd,
                                                    rt::Object* action) {
    rt::Ref<rt::Object> row = rt::original<&initWithAction>(self, cmd, action);
    runGuarded([&] {
        if (!row) return;
        core::after(kSetupDelay, core::Queue::Main, [row, action = rt::retained(action)] {
            runGuarded([&] { completeActionViewSetup(row.get(), action.get()); });
        });
    });
    return row;
}

void ActionViewSetup::layoutSubviews(rt::Object* self, rt::Selector cmd) {
    rt::original<&layoutSubviews>(self, cmd);
}

std::optional<std::string> ActionViewSetup::detectDarkMode(rt::Object* row) {
    ui::Label* text = HostMenuObjects::titleTextLabel(row);
    ui::Layer* textLayer = text ? text->layer() : nullptr;
    if (!textLayer || textLayer->filters().empty()) return kDune;
    if (layerIsDarkModeEnabled(textLayer)) return kNoctis;
    auto* rowView = rt::cast<ui::View>(row);
    if (rowView && firstFilterIsColorInvert(rowView->layer())) return kCarbon;
    return std::nullopt;
}

// Every row decides anew, the host's own entries too: the last row made wins.
void ActionViewSetup::completeActionViewSetup(rt::Object* row, rt::Object* action) {
    SharedState::darkModeTweakName() = std::nullopt;
    const std::optional<std::string> darkMode = detectDarkMode(row);
    SharedState::darkModeTweakName() = darkMode;
    SharedState::darkModeEnabled() = darkMode.has_value();
    const std::optional<std::string> title = HostMenuObjects::stringAnswer(action, "title");
    if (title) registerRow(row, *title);
}

}  // namespace morvane
