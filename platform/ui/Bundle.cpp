#include "ui/Bundle.h"

#include <algorithm>

#include "core/paths/DeviceRoot.h"
#include "rt/Make.h"
#include "ui/Locale.h"

namespace ui {

namespace {

constexpr const char* kLocalizationSuffix = ".lproj";

std::string joinDevicePath(const std::string& directory, const std::string& name) {
    if (!directory.empty() && directory.back() == '/') return directory + name;
    return directory + "/" + name;
}

bool isSafeName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

}  // namespace

Bundle::Bundle(std::string devicePath, std::filesystem::path hostPath)
    : _devicePath(std::move(devicePath)), _hostPath(std::move(hostPath)) {}

rt::Ref<Bundle> Bundle::bundleWithPath(const std::string& devicePath) {
    const auto hostPath = core::DeviceRoot::map(devicePath);
    std::error_code error;
    if (!hostPath || !std::filesystem::is_directory(*hostPath, error)) return nullptr;
    std::string path = devicePath;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return rt::make<Bundle>(path, *hostPath);
}

std::string Bundle::pathForResource(const std::string& name, const std::string& type) const {
    const std::string fileName = type.empty() ? name : name + "." + type;
    if (!isSafeName(fileName)) return {};
    std::error_code error;
    if (std::filesystem::is_regular_file(_hostPath / fileName, error))
        return joinDevicePath(_devicePath, fileName);
    for (const std::string& localization : preferredLocalizations()) {
        const std::string directory = localization + kLocalizationSuffix;
        if (std::filesystem::is_regular_file(_hostPath / directory / fileName, error)) {
            return joinDevicePath(joinDevicePath(_devicePath, directory), fileName);
        }
    }
    return {};
}

std::vector<std::string> Bundle::localizations() const {
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(_hostPath, error)) {
        const std::string name = entry.path().filename().string();
        const std::size_t suffix = name.size() >= 6 ? name.size() - 6 : std::string::npos;
        if (suffix != std::string::npos && suffix > 0 &&
            name.compare(suffix, 6, kLocalizationSuffix) == 0 && entry.is_directory(error)) {
            found.push_back(name.substr(0, suffix));
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<std::string> Bundle::preferredLocalizations() const {
    const std::vector<std::string> available = localizations();
    const rt::Ref<Locale> locale = Locale::currentLocale();
    std::string hyphenated = locale->localeIdentifier();
    std::replace(hyphenated.begin(), hyphenated.end(), '_', '-');
    const std::string candidates[] = {locale->localeIdentifier(), hyphenated,
                                      locale->languageCode(), kDevelopmentLocalization, "Base"};
    std::vector<std::string> preferred;
    for (const std::string& candidate : candidates) {
        const bool present =
            std::find(available.begin(), available.end(), candidate) != available.end();
        if (present &&
            std::find(preferred.begin(), preferred.end(), candidate) == preferred.end()) {
            preferred.push_back(candidate);
        }
    }
    return preferred;
}

std::string Bundle::localizedStringForKey(const std::string& key, const std::string& value,
                                          const std::string& table) const {
    const std::string tableName = table.empty() ? "Localizable" : table;
    for (const std::string& localization : preferredLocalizations()) {
        const StringsTable* strings = tableFor(localization, tableName);
        if (const std::string* text = strings ? strings->find(key) : nullptr) return *text;
    }
    return value.empty() ? key : value;
}

const StringsTable* Bundle::tableFor(const std::string& localization,
                                     const std::string& table) const {
    if (!isSafeName(table)) return nullptr;
    const auto path = _hostPath / (localization + kLocalizationSuffix) / (table + ".strings");
    const std::optional<FileVersion> version = FileVersion::of(path);
    ReadTable& read = _tables[localization + "/" + table];
    if (!read.version || read.version != version) {
        // Versioned before reading, so a rewrite while reading is seen at the next lookup.
        read = ReadTable{version, version ? StringsTable::readFile(path) : std::nullopt};
    }
    return read.table ? &*read.table : nullptr;
}

}  // namespace ui
