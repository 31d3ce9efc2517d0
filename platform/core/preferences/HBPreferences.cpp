#include "core/preferences/HBPreferences.h"

#include <algorithm>

#include "core/preferences/PreferenceFile.h"
#include "rt/NoDestroy.h"

namespace core {
namespace {

// The settings objects alive in the process; main thread only.
std::vector<const HBPreferences*>& liveSettingsObjects() {
    static rt::NoDestroy<std::vector<const HBPreferences*>> objects;
    return *objects;
}

}  // namespace

HBPreferences::HBPreferences(std::string identifier) : _identifier(std::move(identifier)) {
    _values = PreferenceFile::read(_identifier).value_or(PlistDictionary{});
    _observer = NotifyCenter::darwin().addObserver(_identifier + "/ReloadPrefs",
                                                   [this](const std::string&) { reload(); });
    liveSettingsObjects().push_back(this);
}

HBPreferences::~HBPreferences() {
    if (_observer) NotifyCenter::darwin().removeObserver(_observer);
    std::erase(liveSettingsObjects(), this);
}

std::vector<std::pair<std::string, bool>> HBPreferences::boundFlags(const std::string& identifier) {
    std::vector<std::pair<std::string, bool>> flags;
    for (const HBPreferences* preferences : liveSettingsObjects()) {
        if (preferences->_identifier != identifier) continue;
        for (const auto& binding : preferences->_bindings) {
            flags.emplace_back(binding.key, binding.flag->load(std::memory_order_relaxed));
        }
    }
    return flags;
}

void HBPreferences::registerBool(std::atomic<bool>* flag, bool defaultValue,
                                 const std::string& key) {
    if (!flag) return;
    _bindings.push_back(Binding{flag, defaultValue, key});
    apply(_bindings.back());
}

bool HBPreferences::boolForKey(const std::string& key, bool defaultValue) const {
    const auto value = objectForKey(key);
    if (!value) return defaultValue;
    return PreferenceFile::boolValue(*value).value_or(defaultValue);
}

std::optional<PlistValue> HBPreferences::objectForKey(const std::string& key) const {
    const PlistValue* value = _values.find(key);
    if (!value) return std::nullopt;
    return *value;
}

void HBPreferences::reload() {
    _values = PreferenceFile::read(_identifier).value_or(PlistDictionary{});
    for (const auto& binding : _bindings) apply(binding);
}

void HBPreferences::apply(const Binding& binding) const {
    binding.flag->store(boolForKey(binding.key, binding.defaultValue), std::memory_order_relaxed);
}

}  // namespace core
