#include "core/preferences/PreferenceFile.h"

#include "core/preferences/PreferenceFileCache.h"
#include "core/preferences/PreferenceFileUpdate.h"

namespace core {

std::string PreferenceFile::devicePathFor(const std::string& domain) {
    return "/var/mobile/Library/Preferences/" + domain + ".plist";
}

bool PreferenceFile::isValidDomain(const std::string& domain) {
    return !domain.empty() && domain.find('/') == std::string::npos &&
           domain.find("..") == std::string::npos && domain.find('\0') == std::string::npos;
}

std::optional<PlistDictionary> PreferenceFile::read(const std::string& domain) {
    // A domain name with "/" or ".." would name a file of another directory.
    if (!isValidDomain(domain)) return std::nullopt;
    return PreferenceFileCache::read(devicePathFor(domain));
}

bool PreferenceFile::write(const std::string& domain, const PlistDictionary& values) {
    if (!isValidDomain(domain)) return false;
    return PreferenceFileUpdate::apply(
               devicePathFor(domain), [&](PlistDictionary& stored) { stored = values; },
               PlistFormat::Binary)
        .written();
}

std::optional<bool> PreferenceFile::boolValue(const PlistValue& value) {
    if (auto flag = value.asBool()) return *flag;
    if (auto integer = value.asInteger()) return *integer != 0;
    if (auto real = value.asReal()) return *real != 0;
    if (const std::string* text = value.asString()) {
        const auto start = text->find_first_not_of(" \t\n\r");
        if (start == std::string::npos) return false;
        const char first = (*text)[start];
        return first == 'Y' || first == 'y' || first == 'T' || first == 't' ||
               (first >= '1' && first <= '9');
    }
    return std::nullopt;
}

}  // namespace core
