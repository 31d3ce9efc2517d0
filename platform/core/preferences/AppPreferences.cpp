#include "core/preferences/AppPreferences.h"

#include <map>
#include <mutex>

#include "core/preferences/PreferenceFile.h"
#include "core/preferences/PreferenceFileUpdate.h"
#include "rt/NoDestroy.h"

namespace core {
namespace {

// Changes set but not yet synchronized, per domain; none marks a removal.
struct PendingChanges {
    std::mutex mutex;
    std::map<std::string, std::map<std::string, std::optional<PlistValue>>> byDomain;
};

PendingChanges& pending() {
    static rt::NoDestroy<PendingChanges> changes;
    return *changes;
}

}  // namespace

void CFPreferencesSetAppValue(const std::string& key, std::optional<PlistValue> value,
                              const std::string& applicationId) {
    std::lock_guard lock(pending().mutex);
    pending().byDomain[applicationId][key] = std::move(value);
}

bool CFPreferencesAppSynchronize(const std::string& applicationId) {
    std::lock_guard lock(pending().mutex);
    const auto domain = pending().byDomain.find(applicationId);
    if (domain == pending().byDomain.end()) return true;
    if (!PreferenceFile::isValidDomain(applicationId)) return false;
    // The changes go onto the file as it is under its lock, so no other writer's save is lost.
    const auto update = PreferenceFileUpdate::apply(
        PreferenceFile::devicePathFor(applicationId),
        [&](PlistDictionary& values) {
            for (const auto& [key, value] : domain->second) {
                if (value) {
                    values.set(key, *value);
                } else {
                    values.remove(key);
                }
            }
        },
        PlistFormat::Binary);
    // Pending changes are kept when the write fails, so nothing set is lost.
    if (!update.written()) return false;
    pending().byDomain.erase(domain);
    return true;
}

std::optional<PlistValue> CFPreferencesCopyAppValue(const std::string& key,
                                                    const std::string& applicationId) {
    {
        std::lock_guard lock(pending().mutex);
        const auto domain = pending().byDomain.find(applicationId);
        if (domain != pending().byDomain.end()) {
            const auto change = domain->second.find(key);
            if (change != domain->second.end()) return change->second;
        }
    }
    const auto stored = PreferenceFile::read(applicationId);
    if (!stored) return std::nullopt;
    const PlistValue* value = stored->find(key);
    if (!value) return std::nullopt;
    return *value;
}

bool CFPreferencesGetAppBooleanValue(const std::string& key, const std::string& applicationId,
                                     bool* keyExistsAndHasValidFormat) {
    const auto value = CFPreferencesCopyAppValue(key, applicationId);
    const auto flag = value ? PreferenceFile::boolValue(*value) : std::nullopt;
    if (keyExistsAndHasValidFormat) *keyExistsAndHasValidFormat = flag.has_value();
    return flag.value_or(false);
}

void resetAppPreferencesForTesting() {
    std::lock_guard lock(pending().mutex);
    pending().byDomain.clear();
}

}  // namespace core
