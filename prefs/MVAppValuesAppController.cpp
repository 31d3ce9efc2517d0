#include "prefs/MVAppValuesAppController.h"

#include "prefs/AppValuesFile.h"
#include "rt/Make.h"
#include "rt/MethodBinding.h"
#include "settings/PSSpecifier.h"
#include "ui/NavigationController.h"

namespace morvane::prefs {

namespace {

using settings::PSCellType;
using settings::PSSpecifier;
namespace values = app_values;

// A value row: its label, what it shows, and which value it removes ("volume", "brightness"
// or a toggle name).
rt::Ref<PSSpecifier> valueRow(const std::string& label, const std::string& shown,
                              const std::string& value) {
    return rt::make<PSSpecifier>(label, PSCellType::StaticText,
                                 core::PlistDictionary{{"subtitle", shown}, {"value", value}});
}

// The change that removes one value. A toggles dictionary is replaced, never changed in place,
// and goes when its last toggle does.
AppValuesFile::Change removal(const std::string& bundleId, const std::string& value) {
    return [bundleId, value](core::PlistDictionary& file) {
        if (value == "volume" || value == "brightness") {
            file.remove(values::keyFor(bundleId, value == "volume"
                                                     ? values::ValueKind::Volume
                                                     : values::ValueKind::Brightness));
            return;
        }
        const std::string key = values::keyFor(bundleId, values::ValueKind::Toggles);
        const core::PlistValue* stored = file.find(key);
        if (!stored || !stored->asDictionary()) return;
        core::PlistDictionary toggles = *stored->asDictionary();
        toggles.remove(value);
        if (toggles.empty())
            file.remove(key);
        else
            file.set(key, std::move(toggles));
    };
}

}  // namespace

void MVAppValuesAppController::setSpecifier(rt::Object* object) {
    AppValuesPage::setSpecifier(object);
    const auto* link = dynamic_cast<const PSSpecifier*>(object);
    if (!link) return;
    _bundleId = link->stringProperty("bundleId");
    setPageTitle(link->name());
}

rt::Ref<settings::ObjectArray> MVAppValuesAppController::makeSpecifiers() {
    const values::AppValuesTable apps = AppValuesFile::read();
    const auto found = apps.find(_bundleId);
    auto list = rt::make<settings::ObjectArray>();
    list->addObject(rt::make<PSSpecifier>("", PSCellType::Group, core::PlistDictionary{}));
    if (found != apps.end()) {
        const values::AppValueSet& app = found->second;
        if (app.volume)
            list->addObject(valueRow("Volume", values::percentText(*app.volume), "volume"));
        if (app.brightness)
            list->addObject(
                valueRow("Brightness", values::percentText(*app.brightness), "brightness"));
        for (const auto& toggle : values::kToggleNames) {
            if (!app.toggles || !app.toggles->count(toggle.name)) continue;
            list->addObject(
                valueRow(toggle.label, app.toggles->at(toggle.name) ? "On" : "Off", toggle.name));
        }
    }
    list->addObject(rt::make<PSSpecifier>("", PSCellType::Group, core::PlistDictionary{}));
    list->addObject(button(kRemoveAllLabel, "removeAllValues:"));
    return list;
}

bool MVAppValuesAppController::canEditRowAtIndexPath(rt::Object*, ui::IndexPath* indexPath) {
    const auto row = specifierAtIndexPath(indexPath);
    return row && !row->stringProperty("value").empty();
}

void MVAppValuesAppController::commitEditingStyle(rt::Object*, long long style,
                                                  ui::IndexPath* indexPath) {
    const auto row = specifierAtIndexPath(indexPath);
    if (style != kEditingStyleDelete || !row || row->stringProperty("value").empty()) return;
    AppValuesFile::change(*this, "Removing " + row->name(),
                          removal(_bundleId, row->stringProperty("value")));
    reloadSpecifiers();
}

// Once every value is gone the app leaves the list: the page goes back to it.
void MVAppValuesAppController::removeAllValues(rt::Object*) {
    const std::string bundleId = _bundleId;
    if (!values::isBundleIdentifier(bundleId)) return;
    const bool removed = AppValuesFile::change(
        *this, "Removing all values", [&](auto& file) { values::removeAppValues(file, bundleId); });
    reloadSpecifiers();
    if (!removed) return;
    if (auto stack = settings::NavigationController::navigationControllerOf(this))
        stack->popViewControllerAnimated(true);
}

void MVAppValuesAppController::registerRuntimeMethods(rt::Class* cls) {
    using C = MVAppValuesAppController;
    AppValuesPage::registerRuntimeMethods(cls);
    rt::addMethods(
        cls,
        {
            rt::bind<&C::setSpecifier>("setSpecifier:"),
            rt::bind<&C::canEditRowAtIndexPath>("tableView:canEditRowAtIndexPath:"),
            rt::bind<&C::commitEditingStyle>("tableView:commitEditingStyle:forRowAtIndexPath:"),
            rt::bind<&C::removeAllValues>("removeAllValues:"),
        });
}

}  // namespace morvane::prefs
