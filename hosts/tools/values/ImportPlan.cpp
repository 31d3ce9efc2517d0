#include "ImportPlan.h"

namespace values = morvane::app_values;

namespace {

std::string summary(const values::AppValueSet& app) {
    const std::string text = values::summaryOf(app);
    return text.empty() ? "no values" : text;
}

std::string changeLine(const std::string& bundleId, const values::AppValueSet* before,
                       const values::AppValueSet* after) {
    if (!before) return "add " + bundleId + ": " + summary(*after) + "\n";
    if (!after) return "remove " + bundleId + ": " + summary(*before) + "\n";
    return "change " + bundleId + ": " + summary(*before) + " -> " + summary(*after) + "\n";
}

}  // namespace

void ImportPlan::apply(core::PlistDictionary& file) const {
    if (!_replace) {
        for (const auto& [bundleId, app] : _imported) merge(file, bundleId, app);
        return;
    }
    auto entries = values::entriesButAppValues(file);
    for (const auto& [bundleId, app] : _imported) values::appendEntries(entries, bundleId, app);
    file = core::PlistDictionary(std::move(entries));
}

// A toggles dictionary is replaced by a new one, never changed in place, as every writer of
// the file does.
void ImportPlan::merge(core::PlistDictionary& file, const std::string& bundleId,
                       const values::AppValueSet& app) const {
    if (app.volume)
        file.set(values::keyFor(bundleId, values::ValueKind::Volume),
                 static_cast<float>(*app.volume));
    if (app.brightness)
        file.set(values::keyFor(bundleId, values::ValueKind::Brightness),
                 static_cast<float>(*app.brightness));
    if (!app.toggles) return;
    const std::string key = values::keyFor(bundleId, values::ValueKind::Toggles);
    const core::PlistValue* stored = file.find(key);
    core::PlistDictionary toggles =
        stored && stored->asDictionary() ? *stored->asDictionary() : core::PlistDictionary{};
    for (const auto& [name, on] : *app.toggles) toggles.set(name, std::int32_t{on ? 1 : 0});
    file.set(key, std::move(toggles));
}

std::string ImportPlan::describeChanges(const core::PlistDictionary& file) const {
    core::PlistDictionary changed = file;
    apply(changed);
    const values::AppValuesTable before = values::readAppValues(file);
    const values::AppValuesTable after = values::readAppValues(changed);
    std::string text;
    int added = 0, modified = 0, removed = 0;
    for (const auto& [bundleId, app] : after) {
        const auto old = before.find(bundleId);
        if (old != before.end() && old->second == app) continue;
        text += changeLine(bundleId, old == before.end() ? nullptr : &old->second, &app);
        ++(old == before.end() ? added : modified);
    }
    for (const auto& [bundleId, app] : before) {
        if (after.count(bundleId)) continue;
        text += changeLine(bundleId, &app, nullptr);
        ++removed;
    }
    return text + std::to_string(added) + " added, " + std::to_string(modified) + " changed, " +
           std::to_string(removed) + " removed; nothing written (--dry-run)\n";
}
