#include "tweak/startup/HookTable.h"

#include <vector>

#include "foundation/Property.h"
#include "rt/Hook.h"
#include "rt/MethodBinding.h"
#include "rt/Runtime.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/lifecycle/ApplicationRecord.h"
#include "tweak/lifecycle/ApplicationStateTracking.h"
#include "tweak/menu/ActionViewContent.h"
#include "tweak/menu/ActionViewSetup.h"
#include "tweak/menu/CustomShortcutItems.h"
#include "tweak/menu/GuardedMethod.h"
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
constexpr const char* kApplication = "SBApplication";

template <auto F>
bool addInstanceMethod(rt::Class* cls, std::string_view selector) {
    return rt::addMethods(cls, {rt::bind<F>(selector)}) == 1;
}

template <auto F>
bool addClassMethod(rt::Class* cls, std::string_view selector) {
    return rt::addClassMethods(cls, {rt::bind<F>(selector)}) == 1;
}

template <auto F>
HookRow replaced(const char* className, std::string_view selector) {
    return {className, selector, HookKind::Replaced, &rt::hook<F>};
}

// Added methods never throw into the host (GuardedMethod.h).
template <auto F>
HookRow added(const char* className, std::string_view selector) {
    return {className, selector, HookKind::Added, &addInstanceMethod<guarded<F>>};
}

template <class T>
HookRow property(const char* className, std::string_view name) {
    return {className, name, HookKind::AddedProperty, &rt::Property<T>::add};
}

using Registry = MenuControllerRegistry;
using Record = ApplicationRecord;
using Object = rt::Ref<rt::Object>;

std::vector<HookRow> makeTable() {
    std::vector<HookRow> rows = {
        replaced<&CustomShortcutItems::applicationShortcutItems>(kDataProvider,
                                                                 "applicationShortcutItems"),
        {kShortcutViewController, "getInstance", HookKind::AddedClassMethod,
         &addClassMethod<&Registry::getInstance>},
        replaced<&Registry::loadView>(kShortcutViewController, "loadView"),
        replaced<&Registry::viewDidLayoutSubviews>(kShortcutViewController,
                                                   "viewDidLayoutSubviews"),
        replaced<&Registry::viewWillDisappear>(kShortcutViewController, "viewWillDisappear:"),
        property<Object>(kShortcutViewController, Registry::kVolumeActionView),
        property<Object>(kShortcutViewController, Registry::kBrightnessActionView),
        property<Object>(kShortcutViewController, Registry::kTogglesActionView),
        replaced<&InlineEditor::activateApplicationShortcutItem>(
            kForceTouchController,
            "appIconForceTouchShortcutViewController:activateApplicationShortcutItem:"),
        replaced<&ActionViewSetup::initWithAction>(kActionView, "initWithAction:"),
        replaced<&ActionViewSetup::layoutSubviews>(kActionView, "layoutSubviews"),
        added<&ActionViewContent::setCustomSubtitle>(kActionView, "setCustomSubtitle:"),
        added<&ActionViewContent::hideAllContent>(kActionView, "hideAllContent:"),
        added<&ActionViewContent::getContentFrame>(kActionView, "getContentFrame"),
        added<&ValueEditing::onSliderValChanged>(kActionView, "onSliderValChanged:forEvent:"),
        added<&ValueEditing::saveValueAndDismiss>(kActionView, "saveValueAndDismiss"),
        added<&ValueEditing::removeButtonClicked>(kActionView, "removeButtonClicked:"),
        added<&ValueEditing::toggleButtonClicked>(kActionView, "toggleButtonClicked:"),
        property<Object>(kActionView, Registry::kSliderView),
        property<Object>(kActionView, Registry::kTogglesView),
        property<Object>(kActionView, Registry::kEnabledTogglesView),
        replaced<&CustomShortcutItems::initWithTitle>(
            kAction, "initWithTitle:subtitle:image:badgeView:handler:"),
        replaced<&ApplicationStateTracking::initWithApplicationInfo>(kApplication,
                                                                     "initWithApplicationInfo:"),
        replaced<&ApplicationStateTracking::noteProcess>(kApplication,
                                                         "_noteProcess:didChangeToState:"),
        property<double>(kApplication, Record::kVolumeBeforeOpening),
        property<double>(kApplication, Record::kBrightnessBeforeOpening),
    };
    for (const ToggleDefinition& toggle : ToggleCatalogue::toggles())
        rows.push_back(property<long long>(kApplication, toggle.recordProperty));
    rows.push_back(property<bool>(kApplication, Record::kPreviousStateWasForegroundObscured));
    return rows;
}

// One method a row installs: where it is looked up, and what the class answered before.
struct InstalledMethod {
    const HookRow* row;
    rt::Class* target;
    rt::Selector selector;
    bool presentBefore;
    rt::Method::Imp impBefore;
};

void noteMethod(std::vector<InstalledMethod>& methods, const HookRow& row, rt::Class* target,
                rt::Selector selector) {
    const rt::Method& method = target->methodFor(selector);
    methods.push_back({&row, target, selector, !method.isNone(), method.imp()});
}

void noteMethodsOf(std::vector<InstalledMethod>& methods, const HookRow& row, rt::Class* cls) {
    switch (row.kind) {
        case HookKind::AddedProperty:
            noteMethod(methods, row, cls, rt::sel(row.selector));
            noteMethod(methods, row, cls, rt::detail::setterSelectorFor(row.selector));
            break;
        case HookKind::AddedClassMethod:
            noteMethod(methods, row, cls->metaclass(), rt::sel(row.selector));
            break;
        default:
            noteMethod(methods, row, cls, rt::sel(row.selector));
    }
}

InstallReport reportOn(const std::vector<InstalledMethod>& methods) {
    InstallReport report;
    for (const InstalledMethod& method : methods) {
        const rt::Method& now = method.target->methodFor(method.selector);
        if (now.isNone()) continue;
        if (!method.presentBefore) {
            ++report.added;
            ++report.addedByClass[method.row->className];
        } else if (now.imp() != method.impBefore) {
            ++report.replaced;
        }
    }
    return report;
}

}  // namespace

std::span<const HookRow> HookTable::rows() {
    static const std::vector<HookRow> table = makeTable();
    return table;
}

InstallReport HookTable::installAll() {
    std::vector<std::pair<const HookRow*, rt::Class*>> present;
    std::vector<InstalledMethod> methods;
    for (const HookRow& row : rows()) {
        if (rt::Class* hostClass = rt::lookUpClass(row.className)) {
            present.emplace_back(&row, hostClass);
            noteMethodsOf(methods, row, hostClass);
        }
    }
    for (const auto& [row, hostClass] : present) row->install(hostClass, row->selector);
    return reportOn(methods);
}

}  // namespace morvane
