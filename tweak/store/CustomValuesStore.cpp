#include "tweak/store/CustomValuesStore.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

// A stored -1.0 is the "no value" sentinel and is told apart before the range is enforced.
double CustomValuesStore::levelFor(const std::string& key) {
    const core::PlistValue* entry = getCustomValuesPerAppDictionary().find(key);
    if (!entry) return kNoLevel;
    std::optional<double> number = entry->asNumber();
    if (std::optional<bool> flag = entry->asBool()) number = *flag ? 1.0 : 0.0;
    if (!number || !std::isfinite(*number) || *number == kNoLevel) return kNoLevel;
    const float level = static_cast<float>(std::clamp(*number, 0.0, 1.0));
    return static_cast<double>(level);
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

namespace {

// A real read as a 32-bit integer the way the phone converts it: the fraction is dropped and
// a value beyond the range gives the nearest end of it.
std::int32_t wholeNumberOf(double real) {
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(std::trunc(real), kLowest, kHighest));
}

}  // namespace

// An integer keeps its low 32 bits, as the phone's integer read of a wider number does.
std::optional<std::int32_t> CustomValuesStore::toggleEntryIn(const core::PlistDictionary& toggles,
                                                             std::string_view toggleName) {
    const core::PlistValue* entry = toggles.find(toggleName);
    if (!entry) return std::nullopt;
    std::optional<std::uint64_t> bits;
    if (std::optional<std::int64_t> integer = entry->asInteger())
        bits = static_cast<std::uint64_t>(*integer);
    else if (std::optional<std::uint64_t> large = entry->asUnsignedInteger())
        bits = *large;
    else if (std::optional<bool> flag = entry->asBool())
        bits = *flag ? 1 : 0;
    else if (std::optional<double> real = entry->asReal(); real && std::isfinite(*real))
        return wholeNumberOf(*real);
    if (!bits) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*bits));
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
