#include "prefs/MVAppValuesListController.h"

#include <algorithm>
#include <vector>

#include "prefs/AppValuesFile.h"
#include "prefs/AppValuesRows.h"
#include "prefs/MVAppValuesAppController.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "rt/Weak.h"
#include "settings/PSSpecifier.h"
#include "ui/AlertController.h"

namespace morvane::prefs {

namespace {

using settings::PSCellType;
using settings::PSSpecifier;

rt::Ref<PSSpecifier> groupWithFooter(const std::string& footer) {
    core::PlistDictionary properties;
    if (!footer.empty()) properties.set("footerText", footer);
    return rt::make<PSSpecifier>("", PSCellType::Group, std::move(properties));
}

}  // namespace

void MVAppValuesListController::setSpecifier(rt::Object* object) {
    AppValuesPage::setSpecifier(object);
    const auto* link = dynamic_cast<const PSSpecifier*>(object);
    const std::string title = link ? link->name() : std::string("App values");
    if (link) {
        _from = link->stringProperty("from");
        _to = link->stringProperty("to");
    }
    setPageTitle(title);
}

// A list too long for one page is shown in parts of kMostAppsOnAPage apps, each opening a
// page of its own (the part's first and last app name it).
rt::Ref<settings::ObjectArray> MVAppValuesListController::makeSpecifiers() {
    const app_values::AppValuesTable apps = AppValuesFile::read();
    std::vector<AppValuesRows::App> rows = AppValuesRows::sorted(apps);
    const bool part = !_from.empty();
    if (part) {
        std::erase_if(rows,
                      [&](const auto& row) { return row.sortKey < _from || row.sortKey > _to; });
    }
    auto list = rt::make<settings::ObjectArray>();
    list->addObject(groupWithFooter(rows.empty() ? kEmptyFooter : ""));
    if (!part && rows.size() > kMostAppsOnAPage) {
        for (std::size_t first = 0; first < rows.size(); first += kMostAppsOnAPage) {
            const std::size_t count = std::min(kMostAppsOnAPage, rows.size() - first);
            list->addObject(
                AppValuesRows::rangeLink(rows[first], rows[first + count - 1], count, this));
        }
    } else {
        for (const auto& row : rows) list->addObject(AppValuesRows::appLink(row, this));
    }
    if (part || rows.empty()) return list;
    list->addObject(groupWithFooter(""));
    list->addObject(button(kResetLabel, "resetAllApps:"));
    return list;
}

bool MVAppValuesListController::canEditRowAtIndexPath(rt::Object*, ui::IndexPath* indexPath) {
    const auto row = specifierAtIndexPath(indexPath);
    return row && !row->stringProperty("bundleId").empty();
}

void MVAppValuesListController::commitEditingStyle(rt::Object*, long long style,
                                                   ui::IndexPath* indexPath) {
    const auto row = specifierAtIndexPath(indexPath);
    const std::string bundleId = row ? row->stringProperty("bundleId") : std::string();
    if (style != MVAppValuesAppController::kEditingStyleDelete || bundleId.empty()) return;
    AppValuesFile::change(
        *this, "Removing the values of " + row->name(),
        [&](core::PlistDictionary& file) { app_values::removeAppValues(file, bundleId); });
    reloadSpecifiers();
}

void MVAppValuesListController::resetAllApps(rt::Object*) {
    auto sheet = rt::make<ui::AlertController>(
        "",
        "The volume, brightness and toggles of every app are removed. Settings stay as they are.",
        ui::AlertControllerStyle::ActionSheet);
    const rt::Weak<MVAppValuesListController> page(this);
    sheet->addAction({"Reset All Apps", ui::AlertActionStyle::Destructive, [page] {
                          if (const auto shown = page.lock()) shown->removeEveryApp();
                      }});
    sheet->addAction({"Cancel", ui::AlertActionStyle::Cancel, nullptr});
    presentViewController(sheet.get());
}

void MVAppValuesListController::removeEveryApp() {
    AppValuesFile::change(*this, "Resetting all apps", app_values::removeEveryAppValue);
    reloadSpecifiers();
}

void MVAppValuesListController::registerRuntimeMethods(rt::Class* cls) {
    using C = MVAppValuesListController;
    AppValuesPage::registerRuntimeMethods(cls);
    rt::addMethods(
        cls,
        {
            rt::bind<&C::setSpecifier>("setSpecifier:"),
            rt::bind<&C::resetAllApps>("resetAllApps:"),
            rt::bind<&C::canEditRowAtIndexPath>("tableView:canEditRowAtIndexPath:"),
            rt::bind<&C::commitEditingStyle>("tableView:commitEditingStyle:forRowAtIndexPath:"),
        });
}

}  // namespace morvane::prefs
