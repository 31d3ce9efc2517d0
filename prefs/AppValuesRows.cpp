#include "prefs/AppValuesRows.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>

#include "prefs/AppBundles.h"
#include "prefs/MVAppValuesAppController.h"
#include "rt/Make.h"
#include "ui/Image.h"

namespace morvane::prefs {

namespace {

using settings::PSCellType;
using settings::PSSpecifier;

std::string sortKeyOf(const std::string& label) {
    std::string key = label;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key + '\x1f' + label;
}

// An app without an icon file gets a tile of a colour from its identifier.
rt::Ref<ui::Color> tileColorFor(const std::string& bundleId) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : bundleId) hash = (hash ^ c) * 16777619u;
    const double channels[3] = {0.35 + (hash & 0xff) / 510.0, 0.35 + ((hash >> 8) & 0xff) / 510.0,
                                0.35 + ((hash >> 16) & 0xff) / 510.0};
    return ui::Color::colorWithRed(channels[0], channels[1], channels[2], 1.0);
}

}  // namespace

std::vector<AppValuesRows::App> AppValuesRows::sorted(const app_values::AppValuesTable& apps) {
    const auto bundles = AppBundles::installed();
    std::vector<App> rows;
    rows.reserve(apps.size());
    std::map<std::string, int> uses;
    for (const auto& [bundleId, values] : apps) {
        const auto bundle = bundles.find(bundleId);
        const bool named = bundle != bundles.end();
        rows.push_back({named ? bundle->second.displayName : bundleId,
                        {},
                        bundleId,
                        &values,
                        named ? bundle->second.iconPath : std::string()});
        if (named) ++uses[rows.back().label];
    }
    for (App& row : rows) {
        if (row.label != row.bundleId && (uses[row.label] > 1 || apps.count(row.label)))
            row.label += " (" + row.bundleId + ")";
        row.sortKey = sortKeyOf(row.label);
    }
    std::sort(rows.begin(), rows.end(),
              [](const App& left, const App& right) { return left.sortKey < right.sortKey; });
    return rows;
}

rt::Ref<PSSpecifier> AppValuesRows::appLink(const App& app, rt::Object* target) {
    auto link = rt::make<PSSpecifier>(
        app.label, PSCellType::Link,
        core::PlistDictionary{{"bundleId", app.bundleId},
                              {"subtitle", app_values::summaryOf(*app.values)}});
    link->setTarget(target);
    link->setIdentifier(app.bundleId);
    link->setDetailControllerClassName(MVAppValuesAppController::kClassName);
    if (!app.iconPath.empty()) link->setIconImage(ui::Image::imageWithContentsOfFile(app.iconPath));
    if (!link->iconImage()) link->setIconColor(tileColorFor(app.bundleId));
    return link;
}

rt::Ref<PSSpecifier> AppValuesRows::rangeLink(const App& first, const App& last, std::size_t count,
                                              rt::Object* target) {
    auto link =
        rt::make<PSSpecifier>(first.label + " \u2013 " + last.label, PSCellType::Link,
                              core::PlistDictionary{{"from", first.sortKey},
                                                    {"to", last.sortKey},
                                                    {"subtitle", std::to_string(count) + " apps"}});
    link->setTarget(target);
    link->setDetailControllerClassName("MVAppValuesListController");
    return link;
}

}  // namespace morvane::prefs
