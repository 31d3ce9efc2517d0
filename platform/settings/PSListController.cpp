#include "settings/PSListController.h"

#include "core/preferences/AppPreferences.h"
#include "core/preferences/PreferenceFile.h"
#include "foundation/BoxedValue.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "settings/PSTableCell.h"
#include "settings/PreferenceFileEdit.h"
#include "settings/SpecifierFile.h"
#include "ui/AlertController.h"
#include "ui/NavigationController.h"
#include "ui/UIScreen.h"

namespace settings {

namespace {

// The bars above a page: the status bar and the navigation bar.
constexpr double kTopBarsHeight = 64;

PSSpecifier* asSpecifier(rt::Object* object) {
    return dynamic_cast<PSSpecifier*>(object);
}

}  // namespace

rt::Ref<rt::Object> PSListController::specifiers() {
    return _specifiers;
}

std::vector<rt::Ref<PSSpecifier>> PSListController::currentSpecifiers() {
    std::vector<rt::Ref<PSSpecifier>> rows;
    const auto list =
        rt::cast<ObjectArray>(rt::send<rt::Ref<rt::Object>>(this, rt::sel("specifiers")));
    if (!list) return rows;
    for (const auto& object : list->objects())
        if (auto specifier = rt::cast<PSSpecifier>(object)) rows.push_back(std::move(specifier));
    return rows;
}

rt::Ref<rt::Object> PSListController::loadSpecifiersFromPlistName(const std::string& name,
                                                                  rt::Object* target) {
    if (_bundlePath.empty() || name.empty() || name.find('/') != std::string::npos) return {};
    const auto contents = SpecifierFile::load(_bundlePath + "/" + name + ".plist", target);
    if (!contents) return {};
    if (!contents->title.empty()) _title = contents->title;
    auto list = rt::make<ObjectArray>();
    for (const auto& specifier : contents->specifiers) list->addObject(specifier);
    return list;
}

void PSListController::setSpecifier(rt::Object* specifier) {
    _specifier = rt::Ref<rt::Object>(specifier);
}

void PSListController::reloadSpecifiers() {
    _specifiers = {};
    if (isViewLoaded()) table()->reloadData();
}

rt::Ref<ui::TableView> PSListController::table() {
    return rt::cast<ui::TableView>(view());
}

rt::Ref<rt::Object> PSListController::readPreferenceValue(rt::Object* object) {
    const PSSpecifier* specifier = asSpecifier(object);
    if (!specifier) return {};
    const std::string key = specifier->stringProperty("key");
    const std::string domain = specifier->stringProperty("defaults");
    if (!key.empty() && !domain.empty()) {
        const auto stored = core::CFPreferencesCopyAppValue(key, domain);
        if (const auto shown = stored ? specifier->shownValue(*stored) : std::nullopt)
            return boxValue(*shown);
    }
    return boxValue(specifier->property("default"));
}

void PSListController::setPreferenceValue(rt::Object* value, rt::Object* object) {
    _lastWriteFailed = false;
    const PSSpecifier* specifier = asSpecifier(object);
    if (!specifier) return;
    const std::string key = specifier->stringProperty("key");
    const std::string domain = specifier->stringProperty("defaults");
    if (key.empty() || !core::PreferenceFile::isValidDomain(domain)) return;
    const auto unboxed = unboxValue(value);
    const auto result = core::PreferenceFileUpdate::apply(
        core::PreferenceFile::devicePathFor(domain),
        [&](core::PlistDictionary& values) {
            if (unboxed) {
                values.set(key, *unboxed);
            } else {
                values.remove(key);
            }
        },
        core::PlistFormat::Binary);
    noteWriteResult(*specifier, result);
}

bool PSListController::noteWriteResult(const PSSpecifier& specifier,
                                       const core::PreferenceFileUpdate::Result& result) {
    if (!result.written()) {
        _lastWriteFailed = true;
        if (isViewLoaded()) table()->reloadData();
        presentAlert("Not Saved",
                     "\"" + specifier.name() + "\" was not changed: " + result.message);
        return false;
    }
    if (!result.keptAsideAs.empty())
        presentAlert("Settings File Replaced", result.message + "; a new file was written");
    return true;
}

void PSListController::presentAlert(const std::string& title, const std::string& message) {
    auto alert = rt::make<ui::AlertController>(title, message, ui::AlertControllerStyle::Alert);
    alert->addAction({"OK", ui::AlertActionStyle::Default, nullptr});
    presentViewController(alert.get());
}

const std::vector<PSListController::Section>& PSListController::sections() {
    const auto list = rt::send<rt::Ref<rt::Object>>(this, rt::sel("specifiers"));
    const auto array = rt::cast<ObjectArray>(list);
    const std::size_t count = array ? array->count() : 0;
    if (array && _sectionCache.list == list && _sectionCache.count == count)
        return _sectionCache.sections;
    std::vector<Section> result;
    for (auto& specifier : currentSpecifiers()) {
        if (specifier->cellType() == PSCellType::Group) {
            result.push_back({specifier, {}});
            continue;
        }
        if (result.empty()) result.push_back({});
        result.back().rows.push_back(std::move(specifier));
    }
    _sectionCache = {array ? list : rt::Ref<rt::Object>(), count, std::move(result)};
    return _sectionCache.sections;
}

rt::Ref<PSSpecifier> PSListController::specifierAtIndexPath(const ui::IndexPath* indexPath) {
    if (!indexPath) return {};
    const auto& all = sections();
    if (indexPath->section() < 0 || indexPath->section() >= static_cast<long>(all.size()))
        return {};
    const auto& rows = all[static_cast<std::size_t>(indexPath->section())].rows;
    if (indexPath->row() < 0 || indexPath->row() >= static_cast<long>(rows.size())) return {};
    return rows[static_cast<std::size_t>(indexPath->row())];
}

rt::Ref<ui::IndexPath> PSListController::indexPathForSpecifier(const PSSpecifier* specifier) {
    const auto& all = sections();
    for (std::size_t section = 0; section < all.size(); ++section) {
        const auto& rows = all[section].rows;
        for (std::size_t row = 0; row < rows.size(); ++row)
            if (rows[row].get() == specifier)
                return ui::IndexPath::indexPathForRow(static_cast<long>(row),
                                                      static_cast<long>(section));
    }
    return {};
}

rt::Ref<PSSpecifier> PSListController::specifierForKey(const std::string& key) {
    for (auto& specifier : currentSpecifiers())
        if (specifier->cellType() != PSCellType::Group && specifier->stringProperty("key") == key)
            return specifier;
    return {};
}

rt::Ref<PSSpecifier> PSListController::specifierForLabel(const std::string& label) {
    for (auto& specifier : currentSpecifiers())
        if (specifier->cellType() != PSCellType::Group && specifier->name() == label)
            return specifier;
    return {};
}

bool PSListController::tapSpecifier(PSSpecifier* specifier) {
    if (!specifier) return false;
    // A row with an action sends it (a button, or an entry of the Settings app's list); a
    // link pushes the page it names.
    if (specifier->cellType() == PSCellType::Link && specifier->buttonAction().isNull())
        return static_cast<bool>(pushLinkPage(specifier));
    if (!specifier->buttonAction().isNull()) {
        const auto target = specifier->target();
        if (!target || !rt::respondsToSelector(target, specifier->buttonAction())) return false;
        rt::send<void>(target, specifier->buttonAction(), specifier);
        return true;
    }
    return false;
}

rt::Ref<rt::Object> PSListController::pushLinkPage(PSSpecifier* link) {
    rt::Class* pageClass = rt::lookUpClass(link->detailControllerClassName());
    if (!pageClass) return {};
    auto page = rt::makeOfClass(pageClass);
    if (auto* listPage = dynamic_cast<PSListController*>(page.get()))
        if (listPage->bundlePath().empty()) listPage->setBundlePath(_bundlePath);
    rt::send<void>(page, rt::sel("setSpecifier:"), link);
    if (auto stack = NavigationController::navigationControllerOf(this))
        stack->pushViewController(page.get(), true);
    return page;
}

long long PSListController::numberOfSectionsInTableView(rt::Object*) {
    return static_cast<long long>(sections().size());
}

long long PSListController::numberOfRowsInSection(rt::Object*, long long section) {
    const auto& all = sections();
    if (section < 0 || section >= static_cast<long long>(all.size())) return 0;
    return static_cast<long long>(all[static_cast<std::size_t>(section)].rows.size());
}

rt::Ref<rt::Object> PSListController::cellForRowAtIndexPath(rt::Object*, ui::IndexPath* indexPath) {
    const auto specifier = specifierAtIndexPath(indexPath);
    if (!specifier) return {};
    rt::Ref<PSTableCell> cell;
    switch (specifier->cellType()) {
        case PSCellType::Switch:
            cell = rt::make<PSControlTableCell>(specifier.get());
            break;
        case PSCellType::EditText:
            cell = rt::make<PSEditableTableCell>(specifier.get());
            break;
        default:
            cell = rt::make<PSTableCell>(specifier.get());
    }
    rt::send<void>(cell, rt::sel("refreshCellContentsWithSpecifier:"), specifier);
    return cell;
}

std::string PSListController::titleForHeaderInSection(rt::Object*, long long section) {
    const auto& all = sections();
    if (section < 0 || section >= static_cast<long long>(all.size())) return {};
    const auto& group = all[static_cast<std::size_t>(section)].group;
    return group ? group->name() : std::string();
}

std::string PSListController::titleForFooterInSection(rt::Object*, long long section) {
    const auto& all = sections();
    if (section < 0 || section >= static_cast<long long>(all.size())) return {};
    const auto& group = all[static_cast<std::size_t>(section)].group;
    return group ? group->stringProperty("footerText") : std::string();
}

void PSListController::didSelectRowAtIndexPath(rt::Object*, ui::IndexPath* indexPath) {
    tapSpecifier(specifierAtIndexPath(indexPath).get());
}

void PSListController::loadView() {
    auto tableView = rt::make<ui::TableView>(ui::UIScreen::bounds(), ui::TableViewStyle::Grouped);
    tableView->setDataSource(this);
    tableView->setDelegate(this);
    // The page rests under the status and navigation bars, as on the phone.
    tableView->setContentInset(ui::EdgeInsets{kTopBarsHeight, 0, 0, 0});
    setView(tableView.get());
    tableView->setContentOffset(ui::Point{0, -kTopBarsHeight});
}

void PSListController::viewWillAppear(bool) {
    table()->reloadData();
}

void PSListController::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(
        cls,
        {
            rt::bind<&PSListController::specifiers>("specifiers"),
            rt::bind<&PSListController::loadSpecifiersFromPlistName>(
                "loadSpecifiersFromPlistName:target:"),
            rt::bind<&PSListController::specifier>("specifier"),
            rt::bind<&PSListController::setSpecifier>("setSpecifier:"),
            rt::bind<&PSListController::reloadSpecifiers>("reloadSpecifiers"),
            rt::bind<&PSListController::table>("table"),
            rt::bind<&PSListController::readPreferenceValue>("readPreferenceValue:"),
            rt::bind<&PSListController::setPreferenceValue>("setPreferenceValue:specifier:"),
            rt::bind<&PSListController::numberOfSectionsInTableView>(
                "numberOfSectionsInTableView:"),
            rt::bind<&PSListController::numberOfRowsInSection>("tableView:numberOfRowsInSection:"),
            rt::bind<&PSListController::cellForRowAtIndexPath>("tableView:cellForRowAtIndexPath:"),
            rt::bind<&PSListController::titleForHeaderInSection>(
                "tableView:titleForHeaderInSection:"),
            rt::bind<&PSListController::titleForFooterInSection>(
                "tableView:titleForFooterInSection:"),
            rt::bind<&PSListController::didSelectRowAtIndexPath>(
                "tableView:didSelectRowAtIndexPath:"),
            rt::bind<&PSListController::loadView>("loadView"),
            rt::bind<&PSListController::viewWillAppear>("viewWillAppear:"),
        });
}

}  // namespace settings
