#include "prefs/MVSubPrefsListController.h"

#include "core/notify/NotifyCenter.h"
#include "foundation/BoxedValue.h"
#include "foundation/ObjectArray.h"
#include "prefs/HeaderColor.h"
#include "prefs/PageAppearance.h"
#include "prefs/SettingsFile.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "settings/PSSpecifier.h"
#include "settings/PSTableCell.h"
#include "ui/NavigationItem.h"

namespace morvane::prefs {

namespace {

constexpr double kDisabledFieldAlpha = 0.4;

rt::Ref<ui::NavigationItem> navigationItemOf(rt::Object* page) {
    return rt::cast<ui::NavigationItem>(
        rt::send<rt::Ref<rt::Object>>(page, rt::sel("navigationItem")));
}

}  // namespace

MVSubPrefsListController::MVSubPrefsListController() {
    installPageAppearance(this);
    rt::send<void>(this, rt::sel("setupNavigationTitleView"));
}

void MVSubPrefsListController::setupNavigationTitleView() {
    _titleLabel = installTitleLabel(this);
}

void MVSubPrefsListController::viewDidLoad() {
    settings::HBRootListController::viewDidLoad();
    table()->setKeyboardDismissMode(ui::KeyboardDismissMode::OnDrag);
}

void MVSubPrefsListController::viewWillAppear(bool animated) {
    settings::HBRootListController::viewWillAppear(animated);
    colorContainingNavigationBar(this);
}

void MVSubPrefsListController::setSpecifier(rt::Object* specifier) {
    rt::send<void>(this, rt::sel("loadFromSpecifier:"), specifier);
    settings::HBRootListController::setSpecifier(specifier);
}

void MVSubPrefsListController::reloadSpecifiers() {
    rt::send<void>(this, rt::sel("loadFromSpecifier:"), specifier());
}

void MVSubPrefsListController::loadFromSpecifier(rt::Object* object) {
    const auto* specifier = dynamic_cast<const settings::PSSpecifier*>(object);
    if (!specifier) return;
    const std::string pageFile = specifier->stringProperty("MVSubPrefs");
    if (!pageFile.empty()) {
        setHeldSpecifiers(rt::cast<settings::ObjectArray>(rt::send<rt::Ref<rt::Object>>(
            this, rt::sel("loadSpecifiersFromPlistName:target:"), pageFile, this)));
    }
    setTitle(specifier->name());
    navigationItemOf(this)->setTitle(specifier->name());
    _titleLabel->setText(specifier->name());
    if (isViewLoaded()) table()->reloadData();
}

double MVSubPrefsListController::heightForHeaderInSection(rt::Object*, long long) {
    return 45.0;
}

rt::Ref<rt::Object> MVSubPrefsListController::readPreferenceValue(rt::Object* object) {
    const auto* specifier = dynamic_cast<const settings::PSSpecifier*>(object);
    if (!specifier) return {};
    const auto values = SettingsFile::read();
    const core::PlistValue* stored =
        values ? values->find(specifier->stringProperty("key")) : nullptr;
    // Read as the home screen reads it; a value the row cannot show is read as absent.
    if (const auto shown = stored ? specifier->shownValue(*stored) : std::nullopt)
        return settings::boxValue(*shown);
    return settings::boxValue(specifier->property("default"));
}

void MVSubPrefsListController::setPreferenceValue(rt::Object* value, rt::Object* object) {
    settings::HBRootListController::setPreferenceValue(value, object);
    const auto* specifier = dynamic_cast<const settings::PSSpecifier*>(object);
    // A change the file did not take is shown as the file holds it, with the reason; nothing
    // is posted for it.
    if (!specifier || lastWriteFailed()) return;
    const std::string key = specifier->stringProperty("key");
    rt::send<void>(this, rt::sel("enableDisableCellIfNeededForKey:value:"), key, value);
    if (const auto unboxed = settings::unboxValue(value); unboxed && !key.empty()) {
        if (!noteWriteResult(*specifier, SettingsFile::setValue(key, *unboxed))) return;
    }
    const std::string notification = specifier->stringProperty("PostNotification");
    if (!notification.empty()) core::NotifyCenter::post(notification);
}

void MVSubPrefsListController::enableDisableCellIfNeededForKey(const std::string&, rt::Object*) {
    // The place where a change would enable or disable the rows that depend on it; no row of
    // the pane depends on another yet.
}

void MVSubPrefsListController::setCellForRowAtIndexPath(ui::IndexPath* indexPath, bool enabled) {
    const auto cell = table()->cellForRowAtIndexPath(indexPath);
    if (!cell) return;
    cell->setUserInteractionEnabled(enabled);
    cell->textLabel()->setAlpha(enabled ? 1.0 : kDisabledFieldAlpha);
    cell->detailTextLabel()->setAlpha(enabled ? 1.0 : kDisabledFieldAlpha);
    if (auto* controlCell = dynamic_cast<settings::PSControlTableCell*>(cell.get())) {
        if (controlCell->control()) controlCell->control()->setEnabled(enabled);
    } else if (auto* editableCell = dynamic_cast<settings::PSEditableTableCell*>(cell.get())) {
        editableCell->textField()->setAlpha(enabled ? 1.0 : kDisabledFieldAlpha);
    }
}

rt::Ref<ui::Color> MVSubPrefsListController::getHeaderColorFromColor(ui::Color* color) {
    return headerColorFromColor(color);
}

void MVSubPrefsListController::registerRuntimeMethods(rt::Class* cls) {
    using C = MVSubPrefsListController;
    rt::addMethods(
        cls,
        {
            rt::bind<&C::viewDidLoad>("viewDidLoad"),
            rt::bind<&C::viewWillAppear>("viewWillAppear:"),
            rt::bind<&C::setSpecifier>("setSpecifier:"),
            rt::bind<&C::reloadSpecifiers>("reloadSpecifiers"),
            rt::bind<&C::loadFromSpecifier>("loadFromSpecifier:"),
            rt::bind<&C::setupNavigationTitleView>("setupNavigationTitleView"),
            rt::bind<&C::heightForHeaderInSection>("tableView:heightForHeaderInSection:"),
            rt::bind<&C::readPreferenceValue>("readPreferenceValue:"),
            rt::bind<&C::setPreferenceValue>("setPreferenceValue:specifier:"),
            rt::bind<&C::enableDisableCellIfNeededForKey>("enableDisableCellIfNeededForKey:value:"),
            rt::bind<&C::setCellForRowAtIndexPath>("setCellForRowAtIndexPath:enabled:"),
            rt::bind<&C::getHeaderColorFromColor>("getHeaderColorFromColor:"),
            rt::bind<&C::titleLabel>("titleLabel"),
            rt::bind<&C::setTitleLabel>("setTitleLabel:"),
        });
}

}  // namespace morvane::prefs
