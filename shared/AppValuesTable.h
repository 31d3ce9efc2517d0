#pragma once

#include <cstddef>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/plist/PlistDictionary.h"
#include "shared/AppValueRules.h"

// Every app's values as the home screen reads them from the values file, and the edits the
// pane and the tools make to them. Header-only, like the rules it builds on.
namespace morvane::app_values {

// One app's values: a level the home screen applies, or none; the toggles it sets (known
// names only, on or off), present whenever the app has a toggles dictionary, even an empty one.
struct AppValueSet {
    std::optional<double> volume;
    std::optional<double> brightness;
    std::optional<std::map<std::string, bool>> toggles;

    std::size_t toggleCount() const { return toggles ? toggles->size() : 0; }
    // Whether the home screen would change anything for the app.
    bool actsOnEntry() const { return volume || brightness || toggleCount() > 0; }
    friend bool operator==(const AppValueSet&, const AppValueSet&) = default;
};

// By bundle identifier, in byte order.
using AppValuesTable = std::map<std::string, AppValueSet>;

// The toggles of a toggles dictionary the home screen acts on.
inline std::map<std::string, bool> togglesOf(const core::PlistDictionary& stored) {
    std::map<std::string, bool> toggles;
    for (const auto& [name, entry] : stored) {
        if (!isToggleName(name)) continue;
        if (const auto state = toggleStateOf(entry)) toggles[name] = *state != 0;
    }
    return toggles;
}

// Every app with at least one entry the home screen reads (a level, or a toggles dictionary).
// The file's keys come in byte order, so an app's keys mostly follow each other and apps
// mostly come in order: each app is found at the end of the table, without a search.
inline AppValuesTable readAppValues(const core::PlistDictionary& file) {
    AppValuesTable table;
    for (const auto& [key, entry] : file) {
        const auto perApp = perAppKeyOf(key);
        if (!perApp) continue;
        const core::PlistDictionary* toggles =
            perApp->kind == ValueKind::Toggles ? entry.asDictionary() : nullptr;
        const auto level = perApp->kind == ValueKind::Toggles ? std::nullopt : levelOf(entry);
        if (!toggles && !level) continue;
        auto last = table.empty() ? table.end() : std::prev(table.end());
        if (last == table.end() || last->first != perApp->bundleId)
            last = table.try_emplace(table.end(), perApp->bundleId);
        AppValueSet& app = last->second;
        if (toggles)
            app.toggles = togglesOf(*toggles);
        else
            (perApp->kind == ValueKind::Volume ? app.volume : app.brightness) = level;
    }
    return table;
}

// The file's entries in the file's own form: levels single precision, toggle states as 32-bit
// integers 1 or 0.
inline void appendEntries(std::vector<core::PlistDictionary::Entry>& entries,
                          const std::string& bundleId, const AppValueSet& app) {
    if (app.volume)
        entries.emplace_back(keyFor(bundleId, ValueKind::Volume), static_cast<float>(*app.volume));
    if (app.brightness)
        entries.emplace_back(keyFor(bundleId, ValueKind::Brightness),
                             static_cast<float>(*app.brightness));
    if (!app.toggles) return;
    core::PlistDictionary toggles;
    for (const auto& [name, on] : *app.toggles) toggles.set(name, std::int32_t{on ? 1 : 0});
    entries.emplace_back(keyFor(bundleId, ValueKind::Toggles), std::move(toggles));
}

// The file without any app's values: the settings and whatever else it holds.
inline std::vector<core::PlistDictionary::Entry> entriesButAppValues(
    const core::PlistDictionary& file) {
    std::vector<core::PlistDictionary::Entry> kept;
    for (const auto& entry : file)
        if (!perAppKeyOf(entry.first)) kept.push_back(entry);
    return kept;
}

// Removes every app's values, keeping everything else (the settings).
inline void removeEveryAppValue(core::PlistDictionary& file) {
    file = core::PlistDictionary(entriesButAppValues(file));
}

// Removes one app's values.
inline void removeAppValues(core::PlistDictionary& file, const std::string& bundleId) {
    for (const auto& [kind, suffix] : kKeySuffixes) file.remove(keyFor(bundleId, kind));
}

// "Volume 20% · Brightness 70% · 3 toggles": what is set, as a person reads it.
inline std::string summaryOf(const AppValueSet& app) {
    std::vector<std::string> parts;
    if (app.volume) parts.push_back("Volume " + percentText(*app.volume));
    if (app.brightness) parts.push_back("Brightness " + percentText(*app.brightness));
    if (const std::size_t count = app.toggleCount())
        parts.push_back(std::to_string(count) + (count == 1 ? " toggle" : " toggles"));
    std::string text;
    for (const auto& part : parts) text += (text.empty() ? "" : " \u00b7 ") + part;
    return text;
}

}  // namespace morvane::app_values
