#include "tweak/startup/HookTable.h"

#include <array>

#include "rt/Runtime.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/lifecycle/ApplicationRecord.h"
#include "tweak/lifecycle/ApplicationStateTracking.h"
#include "tweak/menu/ActionViewContent.h"
#include "tweak/menu/ActionViewSetup.h"
#include "tweak/menu/CustomShortcutItems.h"
#include "tweak/menu/InlineEditor.h"
#include "tweak/menu/MenuControllerRegistry.h"
#include "tweak/menu/ValueEditing.h"

namespace morvane {

namespace {

constexpr const char* kDataProvider = "SBUIAppIconForceTouchControllerDataProvider";
constexpr const char* kShortcutViewController = "SBUIAppIconForceTouchShortcutViewController";
constexpr const char* kForceTouchController = "SBUIAppIconForceTouchController";
constexpr const char* kActionView = "SBUIActionView";
constexpr const char* kAction = "SBUIAction";

constexpr std::array<HookRow, 28> kHookTable = {{
    {kDataProvider, "applicationShortcutItems", HookKind::Replaced, 1,
     &CustomShortcutItems::hookApplicationShortcutItems},
    {kShortcutViewController, "+getInstance", HookKind::Added, 1,
     &MenuControllerRegistry::addGetInstance},
    {kShortcutViewController, "loadView", HookKind::Replaced, 1,
     &MenuControllerRegistry::hookLoadView},
    {kShortcutViewController, "viewDidLayoutSubviews", HookKind::Replaced, 1,
     &MenuControllerRegistry::hookViewDidLayoutSubviews},
    {kShortcutViewController, "viewWillDisappear:", HookKind::Replaced, 1,
     &MenuControllerRegistry::hookViewWillDisappear},
    {kShortcutViewController, "volumeActionView, setVolumeActionView:", HookKind::AddedProperties,
     2, &MenuControllerRegistry::addVolumeActionView},
    {kShortcutViewController, "brightnessActionView, setBrightnessActionView:",
     HookKind::AddedProperties, 2, &MenuControllerRegistry::addBrightnessActionView},
    {kShortcutViewController, "togglesActionView, setTogglesActionView:", HookKind::AddedProperties,
     2, &MenuControllerRegistry::addTogglesActionView},
    {kForceTouchController,
     "appIconForceTouchShortcutViewController:activateApplicationShortcutItem:", HookKind::Replaced,
     1, &InlineEditor::hookActivateApplicationShortcutItem},
    {kActionView, "initWithAction:", HookKind::Replaced, 1, &ActionViewSetup::hookInitWithAction},
    {kActionView, "layoutSubviews", HookKind::Replaced, 1, &ActionViewSetup::hookLayoutSubviews},
    {kActionView, "setCustomSubtitle:", HookKind::Added, 1,
     &ActionViewContent::addSetCustomSubtitle},
    {kActionView, "hideAllContent:", HookKind::Added, 1, &ActionViewContent::addHideAllContent},
    {kActionView, "getContentFrame", HookKind::Added, 1, &ActionViewContent::addGetContentFrame},
    {kActionView, "onSliderValChanged:forEvent:", HookKind::Added, 1,
     &ValueEditing::addOnSliderValChanged},
    {kActionView, "saveValueAndDismiss", HookKind::Added, 1, &ValueEditing::addSaveValueAndDismiss},
    {kActionView, "removeButtonClicked:", HookKind::Added, 1,
     &ValueEditing::addRemoveButtonClicked},
    {kActionView, "toggleButtonClicked:", HookKind::Added, 1,
     &ValueEditing::addToggleButtonClicked},
    {kActionView, "sliderView, setSliderView:", HookKind::AddedProperties, 2,
     &MenuControllerRegistry::addSliderView},
    {kActionView, "togglesView, setTogglesView:", HookKind::AddedProperties, 2,
     &MenuControllerRegistry::addTogglesView},
    {kActionView, "enabledTogglesView, setEnabledTogglesView:", HookKind::AddedProperties, 2,
     &MenuControllerRegistry::addEnabledTogglesView},
    {kAction, "initWithTitle:subtitle:image:badgeView:handler:", HookKind::Replaced, 1,
     &CustomShortcutItems::hookActionInitWithTitle},
    {"SBApplication", "initWithApplicationInfo:", HookKind::Replaced, 1,
     &ApplicationStateTracking::hookInitWithApplicationInfo},
    {"SBApplication", "_noteProcess:didChangeToState:", HookKind::Replaced, 1,
     &ApplicationStateTracking::hookNoteProcessDidChangeToState},
    {"SBApplication", "volumeBeforeOpening, setVolumeBeforeOpening:", HookKind::AddedProperties, 2,
     &ApplicationRecord::addVolumeBeforeOpening},
    {"SBApplication", "brightnessBeforeOpening, setBrightnessBeforeOpening:",
     HookKind::AddedProperties, 2, &ApplicationRecord::addBrightnessBeforeOpening},
    {"SBApplication", "the twelve toggle records <toggle>BeforeOpening, set<Toggle>BeforeOpening:",
     HookKind::AddedProperties, 2 * static_cast<int>(kToggleCount),
     &ApplicationRecord::addToggleRecords},
    {"SBApplication", "previousStateWasForegroundObscured, setPreviousStateWasForegroundObscured:",
     HookKind::AddedProperties, 2, &ApplicationRecord::addPreviousStateWasForegroundObscured},
}};

}  // namespace

std::span<const HookRow> HookTable::rows() {
    return kHookTable;
}

int HookTable::installAll() {
    int installed = 0;
    for (const HookRow& row : kHookTable) {
        rt::Class* hostClass = rt::lookUpClass(row.className);
        if (!hostClass) continue;  // a host without that class runs without this row
        if (row.install(hostClass)) ++installed;
    }
    return installed;
}

}  // namespace morvane
