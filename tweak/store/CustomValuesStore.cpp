#include "tweak/store/CustomValuesStore.h"

#include "shared/AppValueRules.h"
#include "tweak/store/CustomValueKeys.h"
#include "tweak/store/ValuesFile.h"

namespace morvane {

namespace {

struct StoreState {
    // customValuesPerAppDictionary: the in-memory copy, or none.
    std::optional<core::PlistDictionary> customValuesPerAppDictionary;
};

StoreState& state() {
    static StoreState storeState;
    return storeState;
}

}  // namespace

core::PlistDictionary& CustomValuesStore::getCustomValuesPerAppDictionary() {
    StoreState& store = state();
    if (store.customValuesPerAppDictionary) return *store.customValuesPerAppDictionary;
    store.customValuesPerAppDictionary = ValuesFile::read().value_or(core::PlistDictionary{});
    return *store.customValuesPerAppDictionary;
}

// The home screen's reading of a level, shared with the pane and the tools.
double CustomValuesStore::levelFor(const std::string& key) {
    const core::PlistValue* entry = getCustomValuesPerAppDictionary().find(key);
    if (!entry) return kNoLevel;
    return app_values::levelOf(*entry).value_or(kNoLevel);
}

double CustomValuesStore::getCustomVolumeForApp(const std::string& bundleId) {
    return levelFor(CustomValueKeys::volumeKeyFor(bundleId));
}

double CustomValuesStore::getCustomBrightnessForApp(const std::string& bundleId) {
    return levelFor(CustomValueKeys::brightnessKeyFor(bundleId));
}

std::optional<core::PlistDictionary> CustomValuesStore::getCustomTogglesForApp(
    const std::string& bundleId) {
    const core::PlistValue* entry =
        getCustomValuesPerAppDictionary().find(CustomValueKeys::togglesKeyFor(bundleId));
    if (!entry || !entry->asDictionary()) return std::nullopt;
    return *entry->asDictionary();
}

std::int32_t CustomValuesStore::getCustomToggleStateForApp(const std::string& toggleName,
                                                           const std::string& bundleId) {
    const std::optional<core::PlistDictionary> toggles = getCustomTogglesForApp(bundleId);
    if (!toggles) return kNoToggleState;
    return toggleEntryIn(*toggles, toggleName).value_or(kNoToggleState);
}

std::optional<std::int32_t> CustomValuesStore::toggleEntryIn(const core::PlistDictionary& toggles,
                                                             std::string_view toggleName) {
    const core::PlistValue* entry = toggles.find(toggleName);
    if (!entry) return std::nullopt;
    return app_values::toggleStateOf(*entry);
}

bool CustomValuesStore::storeCustomVolumeForApp(float level, const std::string& bundleId) {
    return writeChange([&](core::PlistDictionary& values) {
        values.set(CustomValueKeys::volumeKeyFor(bundleId), level);
    });
}

bool CustomValuesStore::removeCustomVolumeForApp(const std::string& bundleId) {
    return writeChange([&](core::PlistDictionary& values) {
        values.remove(CustomValueKeys::volumeKeyFor(bundleId));
    });
}

bool CustomValuesStore::storeCustomBrightnessForApp(float level, const std::string& bundleId) {
    return writeChange([&](core::PlistDictionary& values) {
        values.set(CustomValueKeys::brightnessKeyFor(bundleId), level);
    });
}

bool CustomValuesStore::removeCustomBrightnessForApp(const std::string& bundleId) {
    return writeChange([&](core::PlistDictionary& values) {
        values.remove(CustomValueKeys::brightnessKeyFor(bundleId));
    });
}

bool CustomValuesStore::storeCustomToggleStateForApp(const std::string& toggleName,
                                                     std::int32_t state,
                                                     const std::string& bundleId) {
    return writeChange([&](core::PlistDictionary& values) {
        const std::string key = CustomValueKeys::togglesKeyFor(bundleId);
        const core::PlistValue* stored = values.find(key);
        // A copy, never a change in place: a scheduled application holds the old dictionary.
        core::PlistDictionary toggles =
            stored && stored->asDictionary() ? *stored->asDictionary() : core::PlistDictionary{};
        if (state == kNoToggleState)
            toggles.remove(toggleName);
        else
            toggles.set(toggleName, state);
        values.set(key, std::move(toggles));
    });
}

// Applies one change to the file as it is on disk under its lock (so no other process's save
// is undone, and an unreadable file is kept aside first); the in-memory copy becomes what was
// written. When nothing was written the copy keeps what it had.
bool CustomValuesStore::writeChange(const Change& change) {
    core::PreferenceFileUpdate::Result update = ValuesFile::update(change);
    if (!update.written()) return false;
    state().customValuesPerAppDictionary = std::move(update.values);
    return true;
}

void CustomValuesStore::dropCustomValuesPerAppDictionary() {
    state().customValuesPerAppDictionary.reset();
}

void CustomValuesStore::resetForTesting() {
    dropCustomValuesPerAppDictionary();
}

}  // namespace morvane
