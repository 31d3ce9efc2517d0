#include "core/preferences/PreferenceFile.h"

#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistReader.h"
#include "core/plist/PlistWriter.h"

namespace core {

std::string PreferenceFile::devicePathFor(const std::string& domain) {
    return "/var/mobile/Library/Preferences/" + domain + ".plist";
}

std::optional<PlistDictionary> PreferenceFile::read(const std::string& domain) {
    // A domain name with "/" or ".." cannot leave the preferences directory: map refuses it.
    if (domain.empty() || domain.find('/') != std::string::npos) return std::nullopt;
    const auto path = DeviceRoot::map(devicePathFor(domain));
    if (!path) return std::nullopt;
    return dictionaryWithContentsOfFile(*path);
}

bool PreferenceFile::write(const std::string& domain, const PlistDictionary& values) {
    if (domain.empty() || domain.find('/') != std::string::npos) return false;
    const auto path = DeviceRoot::mapForWriting(devicePathFor(domain));
    if (!path) return false;
    return writePropertyListFile(*path, PlistValue(values), PlistFormat::Binary);
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
