#include "settings/PreferenceFileEdit.h"

#include <filesystem>

#include "core/preferences/PreferenceFile.h"

namespace settings {

namespace {

constexpr std::string_view kPreferencesDirectory = "/var/mobile/Library/Preferences/";

// The domain whose file is at the path, or empty for a path that is no domain's file.
std::string domainOfFile(const std::string& devicePath) {
    if (!devicePath.starts_with(kPreferencesDirectory) || !devicePath.ends_with(".plist"))
        return {};
    std::string domain = devicePath.substr(kPreferencesDirectory.size());
    domain.resize(domain.size() - std::string_view(".plist").size());
    if (domain.empty() || domain.find('/') != std::string::npos) return {};
    return domain;
}

}  // namespace

bool setValueInPreferenceFile(const std::string& devicePath, const std::string& key,
                              const core::PlistValue& value) {
    const std::string domain = domainOfFile(devicePath);
    if (domain.empty()) return false;
    auto values = core::PreferenceFile::read(domain);
    if (!values) return false;
    values->set(key, value);
    return core::PreferenceFile::write(domain, *values);
}

}  // namespace settings
