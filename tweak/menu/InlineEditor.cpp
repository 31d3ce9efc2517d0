#include "tweak/menu/InlineEditor.h"

#include "rt/Hook.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/menu/HostMenuObjects.h"
#include "tweak/menu/MenuControllerRegistry.h"
#include "tweak/menu/MenuTexts.h"
#include "tweak/menu/ToggleFieldOrder.h"
#include "tweak/menu/ValueEditing.h"
#include "tweak/startup/ReplacementGuard.h"
#include "tweak/startup/Settings.h"
#include "tweak/startup/SharedState.h"
#include "tweak/store/CustomValuesStore.h"
#include "tweak/widgets/SliderView.h"
#include "tweak/widgets/TogglesView.h"
#include "ui/ControlEvents.h"

namespace morvane {

namespace {

const char* rowPropertyForType(const std::string& type) {
    if (type == MenuTexts::kVolumeType) return MenuControllerRegistry::kVolumeActionView;
    if (type == MenuTexts::kBrightnessType) return MenuControllerRegistry::kBrightnessActionView;
    if (type == MenuTexts::kTogglesType) return MenuControllerRegistry::kTogglesActionView;
    return nullptr;
}

rt::Ref<ui::Color> editorColor() {
    return SharedState::darkModeEnabled() ? ui::Color::whiteColor() : ui::Color::blackColor();
}

std::string editedApp() {
    return SharedState::currentForceTouchedAppBundleId().value_or("");
}

rt::Ref<ui::View> containerView(rt::Object* controller) {
    return rt::cast<ui::View>(rt::send<rt::Ref<rt::Object>>(controller, rt::sel("view")));
}

ui::Rect rowContentFrame(rt::Object* row) {
    return rt::send<ui::Rect>(row, rt::sel("getContentFrame"));
}

// On top of the row, fading in.
void fadeIn(ui::View* container, ui::View* editor) {
    if (container) container->addSubview(editor);
    editor->setAlpha(0);
    ui::View::animate(InlineEditor::kFadeDuration, [editor] { editor->setAlpha(1); });
}

}  // namespace

void InlineEditor::activateApplicationShortcutItem(rt::Object* self, rt::Selector cmd,
                                                   rt::Object* viewController, rt::Object* item) {
    std::string type;
    runGuarded([&] { type = HostMenuObjects::stringAnswer(item, "type").value_or(""); });
    const bool custom = type == MenuTexts::kVolumeType || type == MenuTexts::kBrightnessType ||
                        type == MenuTexts::kTogglesType;
    if (!custom) {
        rt::original<&activateApplicationShortcutItem>(self, cmd, viewController, item);
        return;
    }
    runGuarded([&] { activateCustomItem(type); });
}

bool InlineEditor::activateCustomItem(const std::string& type) {
    const char* rowProperty = rowPropertyForType(type);
    if (!rowProperty) return false;
    const rt::Ref<rt::Object> controller = MenuControllerRegistry::getInstance();
    const rt::Ref<rt::Object> row = MenuControllerRegistry::property(controller.get(), rowProperty);
    if (!row) return true;
    if (MenuControllerRegistry::sliderView(row.get()) ||
        MenuControllerRegistry::togglesView(row.get())) {
        closeInlineEditor(row.get());
        rt::send<void>(row, rt::sel("setHighlighted:"), false);
    } else {
        openInlineEditor(row.get(), type);
    }
    return true;
}

void InlineEditor::openInlineEditor(rt::Object* row, const std::string& type) {
    rt::send<void>(row, rt::sel("hideAllContent:"), true);
    rt::send<void>(row, rt::sel("setHighlighted:"), false);
    if (type == MenuTexts::kVolumeType || type == MenuTexts::kBrightnessType)
        openSliderEditor(row, type);
    else if (type == MenuTexts::kTogglesType)
        openTogglesEditor(row);
}

void InlineEditor::openSliderEditor(rt::Object* row, const std::string& type) {
    const rt::Ref<ui::View> container = containerView(MenuControllerRegistry::getInstance().get());
    if (!row || MenuControllerRegistry::sliderView(row)) return;
    ui::Rect frame = rowContentFrame(row);
    frame.size.width += kSliderExtraWidth;
    const rt::Ref<SliderView> editor = rt::make<SliderView>(frame);
    MenuControllerRegistry::setProperty(row, MenuControllerRegistry::kSliderView, editor.get());
    editor->slider()->addTarget(row, rt::sel("onSliderValChanged:forEvent:"),
                                ui::ControlEvents::kValueChanged);

    const double stored = type == MenuTexts::kVolumeType
                              ? CustomValuesStore::getCustomVolumeForApp(editedApp())
                              : CustomValuesStore::getCustomBrightnessForApp(editedApp());
    const bool hasValue = stored != CustomValuesStore::kNoLevel;
    editor->slider()->setValue(hasValue ? static_cast<float>(stored) : 0.0f);
    if (hasValue) {
        editor->showRemoveButtonAnimated(false);
        editor->percentLabel()->setText(MenuTexts::percentText(editor->slider()->value()));
    } else {
        editor->showPercentLabelAnimated(false);
        editor->percentLabel()->setText("-%");
    }
    editor->removeButton()->addTarget(row, rt::sel("removeButtonClicked:"),
                                      ui::ControlEvents::kTouchUpInside);
    editor->setUIElementsColor(editorColor());
    fadeIn(container.get(), editor.get());
}

void InlineEditor::openTogglesEditor(rt::Object* row) {
    const rt::Ref<ui::View> container = containerView(MenuControllerRegistry::getInstance().get());
    if (!row || MenuControllerRegistry::togglesView(row)) return;
    const rt::Ref<TogglesView> editor = rt::make<TogglesView>(rowContentFrame(row), editorColor());
    MenuControllerRegistry::setProperty(row, MenuControllerRegistry::kTogglesView, editor.get());
    for (std::string_view name : kToggleFieldOrder)
        editor->toggleButton(name)->addTarget(row, rt::sel("toggleButtonClicked:"),
                                              ui::ControlEvents::kTouchUpInside);
    for (std::string_view name : kToggleFieldOrder)
        editor->toggleButton(name)->setHasToBeShown(
            Settings::isOn(ToggleCatalogue::find(name)->showSetting));
    editor->addEnabledButtonsToStackView();
    editor->layoutIfNeeded();
    for (std::string_view name : kToggleFieldOrder)
        editor->toggleButton(name)->setCurrentState(
            CustomValuesStore::getCustomToggleStateForApp(std::string(name), editedApp()));
    fadeIn(container.get(), editor.get());
}

// The editor's properties are cleared only once it has faded out.
void InlineEditor::closeInlineEditor(rt::Object* row) {
    ValueEditing::saveDueSliderValue(row);
    rt::send<void>(row, rt::sel("hideAllContent:"), false);
    const rt::Ref<SliderView> slider = MenuControllerRegistry::sliderView(row);
    const rt::Ref<TogglesView> toggles = MenuControllerRegistry::togglesView(row);
    ui::View::animate(
        kFadeDuration,
        [&] {
            if (slider) slider->setAlpha(0);
            if (toggles) toggles->setAlpha(0);
        },
        [row = rt::retained(row)](bool) {
            if (const rt::Ref<SliderView> open = MenuControllerRegistry::sliderView(row.get())) {
                open->removeFromSuperview();
                MenuControllerRegistry::setProperty(row.get(), MenuControllerRegistry::kSliderView,
                                                    nullptr);
            }
            if (const rt::Ref<TogglesView> open = MenuControllerRegistry::togglesView(row.get())) {
                open->removeFromSuperview();
                MenuControllerRegistry::setProperty(row.get(), MenuControllerRegistry::kTogglesView,
                                                    nullptr);
            }
        });
}

}  // namespace morvane
