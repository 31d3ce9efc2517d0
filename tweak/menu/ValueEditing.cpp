#include "tweak/menu/ValueEditing.h"

#include <optional>
#include <string>

#include "core/dispatch/PerformSelector.h"
#include "foundation/Number.h"
#include "rt/Associations.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "tweak/menu/EnabledTogglesRow.h"
#include "tweak/menu/InlineEditor.h"
#include "tweak/menu/MenuControllerRegistry.h"
#include "tweak/menu/MenuTexts.h"
#include "tweak/menu/StoredEntrySnapshot.h"
#include "tweak/startup/ReplacementGuard.h"
#include "tweak/startup/Settings.h"
#include "tweak/startup/SharedState.h"
#include "tweak/store/CustomValueKeys.h"
#include "tweak/store/CustomValuesStore.h"
#include "tweak/widgets/HapticFeedbackHelper.h"
#include "tweak/widgets/SliderView.h"
#include "tweak/widgets/ToggleButton.h"
#include "ui/Event.h"
#include "ui/TouchSet.h"

namespace morvane {

namespace {

// Marks attached to a row beside its editor: a slider save is due (the finger lifted and
// the save has not run yet), and the row's menu has gone, its due save taken already.
constexpr char kSaveDueKey = 0;
constexpr char kMenuGoneKey = 0;

bool marked(rt::Object* row, const void* key) {
    const auto* mark = dynamic_cast<const rt::Number*>(rt::getAssociatedObject(row, key));
    return mark && mark->boolValue();
}

void setMark(rt::Object* row, const void* key, bool on) {
    rt::setAssociatedObject(row, key, on ? rt::make<rt::Number>(true) : nullptr);
}

std::optional<std::string> editedApp() {
    return SharedState::currentForceTouchedAppBundleId();
}

// Which level a row edits, by identity with the controller's registered rows.
enum class Level { None, Volume, Brightness };

Level levelOfRow(rt::Object* controller, rt::Object* row) {
    if (!controller || !row) return Level::None;
    if (MenuControllerRegistry::property(controller, MenuControllerRegistry::kVolumeActionView)
            .get() == row)
        return Level::Volume;
    if (MenuControllerRegistry::property(controller, MenuControllerRegistry::kBrightnessActionView)
            .get() == row)
        return Level::Brightness;
    return Level::None;
}

std::string keyFor(Level level, const std::string& bundleId) {
    return level == Level::Volume ? CustomValueKeys::volumeKeyFor(bundleId)
                                  : CustomValueKeys::brightnessKeyFor(bundleId);
}

double storedLevel(Level level, const std::string& bundleId) {
    return level == Level::Volume ? CustomValuesStore::getCustomVolumeForApp(bundleId)
                                  : CustomValuesStore::getCustomBrightnessForApp(bundleId);
}

const char* noLevelSubtitle(Level level) {
    return level == Level::Volume ? MenuTexts::kNoVolumeSubtitle : MenuTexts::kNoBrightnessSubtitle;
}

void setSubtitle(rt::Object* row, const std::string& subtitle) {
    rt::send<void>(row, rt::sel("setCustomSubtitle:"), subtitle);
}

// A write that failed is taken back; the subtitle then tells what the file holds.
void showStoredLevel(rt::Object* row, Level level, const std::string& bundleId) {
    setSubtitle(row,
                MenuTexts::levelSubtitle(storedLevel(level, bundleId), noLevelSubtitle(level)));
}

// Stores the row's slider value under the row's key of `controller` and shows it. Answers
// false, doing nothing, for a row of neither level or without an open slider.
bool storeSliderLevel(rt::Object* controller, rt::Object* row) {
    const Level level = levelOfRow(controller, row);
    const std::optional<std::string> bundleId = editedApp();
    const rt::Ref<SliderView> sliderView = MenuControllerRegistry::sliderView(row);
    if (level == Level::None || !bundleId || !sliderView || !sliderView->slider()) return false;
    const float value = sliderView->slider()->value();
    const StoredEntrySnapshot before(keyFor(level, *bundleId));
    const bool written = level == Level::Volume
                             ? CustomValuesStore::storeCustomVolumeForApp(value, *bundleId)
                             : CustomValuesStore::storeCustomBrightnessForApp(value, *bundleId);
    if (written) {
        setSubtitle(row, MenuTexts::savedLevelSubtitle(value));
    } else {
        before.restore();
        showStoredLevel(row, level, *bundleId);
    }
    return true;
}

// Stores the row's slider value, shows it and closes the editor.
void storeSliderValue(rt::Object* controller, rt::Object* row) {
    if (storeSliderLevel(controller, row)) InlineEditor::closeInlineEditor(row);
}

std::size_t storedToggleCount(const std::string& bundleId) {
    const auto toggles = CustomValuesStore::getCustomTogglesForApp(bundleId);
    return toggles ? toggles->size() : 0;
}

}  // namespace

// A new drag does not cancel a save already scheduled; the save finds the drag and waits
// for the save its end schedules.
void ValueEditing::onSliderValChanged(rt::Object* row, rt::Object*, rt::Object* event) {
    const rt::Ref<SliderView> sliderView = MenuControllerRegistry::sliderView(row);
    if (!sliderView || !sliderView->slider()) return;
    if (sliderView->percentLabel())
        sliderView->percentLabel()->setText(MenuTexts::percentText(sliderView->slider()->value()));
    const auto* touchEvent = rt::cast<ui::Event>(event);
    const rt::Ref<ui::TouchSet> touches = touchEvent ? touchEvent->allTouches() : nullptr;
    const rt::Ref<ui::Touch> touch = touches ? touches->anyObject() : nullptr;
    if (!touch) return;
    if (touch->phase() == ui::TouchPhase::Began) {
        sliderView->setSliderIsDragging(true);
        sliderView->showPercentLabelAnimated(true);
    } else if (touch->phase() == ui::TouchPhase::Ended) {
        sliderView->setSliderIsDragging(false);
        setMark(row, &kSaveDueKey, true);
        core::performSelector(row, rt::sel("saveValueAndDismiss"), nullptr, kSaveDelay);
    }
}

// A save finds nothing to do when its value was saved already (the editor closed or the menu
// went first) or when it declined: a save that finds a drag declines, and the drag's end
// schedules the save of its own value (a drag that is cancelled saves nothing).
void ValueEditing::saveValueAndDismiss(rt::Object* row) {
    if (marked(row, &kMenuGoneKey) || !marked(row, &kSaveDueKey)) return;
    setMark(row, &kSaveDueKey, false);
    const rt::Ref<SliderView> sliderView = MenuControllerRegistry::sliderView(row);
    if (sliderView && sliderView->sliderIsDragging()) return;
    const rt::Ref<rt::Object> controller = MenuControllerRegistry::getInstance();
    if (!controller) return;
    storeSliderValue(controller.get(), row);
    HapticFeedbackHelper::sendImpact();
}

void ValueEditing::removeButtonClicked(rt::Object* row, rt::Object*) {
    // The removal is what the user asked for last: a save still due for the row is dropped.
    setMark(row, &kSaveDueKey, false);
    const rt::Ref<rt::Object> controller = MenuControllerRegistry::getInstance();
    const Level level = levelOfRow(controller.get(), row);
    const std::optional<std::string> bundleId = editedApp();
    if (level != Level::None && bundleId) {
        setSubtitle(row, noLevelSubtitle(level));
        const StoredEntrySnapshot before(keyFor(level, *bundleId));
        const bool written = level == Level::Volume
                                 ? CustomValuesStore::removeCustomVolumeForApp(*bundleId)
                                 : CustomValuesStore::removeCustomBrightnessForApp(*bundleId);
        if (!written) {
            before.restore();
            showStoredLevel(row, level, *bundleId);
        }
    }
    InlineEditor::closeInlineEditor(row);
}

void ValueEditing::toggleButtonClicked(rt::Object* row, rt::Object* sender) {
    auto* button = rt::cast<ToggleButton>(sender);
    const std::optional<std::string> bundleId = editedApp();
    if (!button || !bundleId || !MenuControllerRegistry::getInstance()) return;
    const StoredEntrySnapshot before(CustomValueKeys::togglesKeyFor(*bundleId));
    const bool written = CustomValuesStore::storeCustomToggleStateForApp(
        button->toggleName(), button->currentState(), *bundleId);
    if (!written) {
        before.restore();
        button->setCurrentState(
            CustomValuesStore::getCustomToggleStateForApp(button->toggleName(), *bundleId));
    }
    const std::size_t stored = storedToggleCount(*bundleId);
    const bool showCount = Settings::isOn(Setting::showNbEnabledTogglesInsteadOfIcons);
    setSubtitle(row, MenuTexts::togglesSubtitle(stored, showCount));
    if (!showCount) EnabledTogglesRow::refreshEnabledTogglesView(row);
}

void ValueEditing::saveDueSliderValue(rt::Object* row) {
    if (!marked(row, &kSaveDueKey)) return;
    setMark(row, &kSaveDueKey, false);
    const rt::Ref<rt::Object> controller = MenuControllerRegistry::getInstance();
    if (controller && storeSliderLevel(controller.get(), row)) HapticFeedbackHelper::sendImpact();
}

void ValueEditing::savePendingSliderValues(rt::Object* controller) {
    for (const char* rowProperty : {MenuControllerRegistry::kVolumeActionView,
                                    MenuControllerRegistry::kBrightnessActionView}) {
        const rt::Ref<rt::Object> row = MenuControllerRegistry::property(controller, rowProperty);
        if (!row || !marked(row.get(), &kSaveDueKey)) continue;
        setMark(row.get(), &kSaveDueKey, false);
        setMark(row.get(), &kMenuGoneKey, true);
        storeSliderValue(controller, row.get());
        HapticFeedbackHelper::sendImpact();
    }
}

}  // namespace morvane
