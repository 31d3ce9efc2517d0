#include "prefs/MVAppValuesListController.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "prefs/AppBundles.h"
#include "prefs/AppValuesFile.h"
#include "prefs/MVAppValuesAppController.h"
#include "prefs/PageAppearance.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "rt/Weak.h"
#include "settings/PSSpecifier.h"
#include "ui/AlertController.h"
#include "ui/Image.h"

namespace morvane::prefs {

namespace {

using settings::PSCellType;
using settings::PSSpecifier;

// One row of the list: the app's label, its bundle identifier, its icon.
struct AppRow {
    std::string label;
    std::string bundleId;
    const app_values::AppValueSet* values;
    std::string iconPath;
};

std::string folded(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// Apps by the name the home screen shows (the bundle identifier for an app the device root
// holds no bundle of); a name two apps share is told apart by the identifier.
std::vector<AppRow> appRows(const app_values::AppValuesTable& apps) {
    const auto bundles = AppBundles::installed();
    std::vector<AppRow> rows;
    std::map<std::string, int> uses;
    for (const auto& [bundleId, values] : apps) {
        const auto bundle = bundles.find(bundleId);
        const bool named = bundle != bundles.end();
        rows.push_back({named ? bundle->second.displayName : bundleId, bundleId, &values,
                        named ? bundle->second.iconPath : std::string()});
        ++uses[rows.back().label];
    }
    for (AppRow& row : rows)
        if (uses[row.label] > 1 && row.label != row.bundleId) row.label += " (" + row.bundleId + ")";
    std::sort(rows.begin(), rows.end(), [](const AppRow& left, const AppRow& right) {
        const std::string a = folded(left.label), b = folded(right.label);
        return a != b ? a < b : left.label < right.label;
    });
    return rows;
}

// An app without an icon file gets a tile of a colour from its identifier.
rt::Ref<ui::Color> tileColorFor(const std::string& bundleId) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : bundleId) hash = (hash ^ c) * 16777619u;
    const double channels[3] = {0.35 + (hash & 0xff) / 510.0, 0.35 + ((hash >> 8) & 0xff) / 510.0,
                                0.35 + ((hash >> 16) & 0xff) / 510.0};
    return ui::Color::colorWithRed(channels[0], channels[1], channels[2], 1.0);
}

rt::Ref<PSSpecifier> linkFor(const AppRow& row, rt::Object* target) {
    auto link = rt::make<PSSpecifier>(
        row.label, PSCellType::Link,
        core::PlistDictionary{{"bundleId", row.bundleId},
                              {"subtitle", app_values::summaryOf(*row.values)}});
    link->setTarget(target);
    link->setIdentifier(row.bundleId);
    link->setDetailControllerClassName(MVAppValuesAppController::kClassName);
    if (!row.iconPath.empty()) link->setIconImage(ui::Image::imageWithContentsOfFile(row.iconPath));
    if (!link->iconImage()) link->setIconColor(tileColorFor(row.bundleId));
    return link;
}

rt::Ref<PSSpecifier> groupWithFooter(const std::string& footer) {
    core::PlistDictionary properties;
    if (!footer.empty()) properties.set("footerText", footer);
    return rt::make<PSSpecifier>("", PSCellType::Group, std::move(properties));
}

}  // namespace

MVAppValuesListController::MVAppValuesListController() {
    installPageAppearance(this);
    _titleLabel = installTitleLabel(this);
}

void MVAppValuesListController::setSpecifier(rt::Object* object) {
    settings::HBRootListController::setSpecifier(object);
    const auto* link = dynamic_cast<const PSSpecifier*>(object);
    const std::string title = link ? link->name() : std::string("App values");
    setTitle(title);
    _titleLabel->setText(title);
}

rt::Ref<rt::Object> MVAppValuesListController::specifiers() {
    if (!heldSpecifiers()) setHeldSpecifiers(makeSpecifiers());
    return heldSpecifiers();
}

rt::Ref<settings::ObjectArray> MVAppValuesListController::makeSpecifiers() {
    const app_values::AppValuesTable apps = AppValuesFile::read();
    auto list = rt::make<settings::ObjectArray>();
    list->addObject(groupWithFooter(apps.empty() ? kEmptyFooter : ""));
    for (const AppRow& row : appRows(apps)) list->addObject(linkFor(row, this));
    if (apps.empty()) return list;
    list->addObject(groupWithFooter(""));
    auto reset = rt::make<PSSpecifier>(kResetLabel, PSCellType::Button, core::PlistDictionary{});
    reset->setTarget(this);
    reset->setButtonAction(rt::sel("resetAllApps:"));
    list->addObject(reset);
    return list;
}

void MVAppValuesListController::reloadSpecifiers() {
    setHeldSpecifiers(makeSpecifiers());
    if (isViewLoaded()) table()->reloadData();
}

// The values may have changed on the app's page or elsewhere since the page was last shown.
void MVAppValuesListController::viewWillAppear(bool animated) {
    setHeldSpecifiers({});
    settings::HBRootListController::viewWillAppear(animated);
    colorContainingNavigationBar(this);
}

void MVAppValuesListController::resetAllApps(rt::Object*) {
    auto sheet = rt::make<ui::AlertController>(
        "", "The volume, brightness and toggles of every app are removed. Settings stay as they are.",
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
    rt::addMethods(cls, {
                            rt::bind<&C::setSpecifier>("setSpecifier:"),
                            rt::bind<&C::specifiers>("specifiers"),
                            rt::bind<&C::reloadSpecifiers>("reloadSpecifiers"),
                            rt::bind<&C::viewWillAppear>("viewWillAppear:"),
                            rt::bind<&C::titleLabel>("titleLabel"),
                            rt::bind<&C::resetAllApps>("resetAllApps:"),
                        });
}

}  // namespace morvane::prefs
