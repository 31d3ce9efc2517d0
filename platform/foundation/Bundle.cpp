#include "foundation/Bundle.h"

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>

#include "core/files/AtomicFile.h"
#include "core/files/RootedFiles.h"
#include "foundation/Locale.h"
#include "rt/Make.h"

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

using EntryKind = core::DeviceDirectory::EntryKind;

// What is at a device path, opened within the device root (a link is followed inside it).
EntryKind kindAt(const std::string& devicePath) {
    const auto files = core::RootedFiles::ofDeviceRoot();
    if (!files) return EntryKind::Missing;
    const core::FileDescriptor entry = files->open(devicePath, O_PATH);
    struct stat info {};
    if (!entry.valid() || ::fstat(entry.get(), &info) != 0) return EntryKind::Missing;
    if (S_ISREG(info.st_mode)) return EntryKind::File;
    if (S_ISDIR(info.st_mode)) return EntryKind::Directory;
    return EntryKind::Other;
}

}  // namespace

Bundle::Bundle(std::string devicePath) : _devicePath(std::move(devicePath)) {}

rt::Ref<Bundle> Bundle::bundleWithPath(const std::string& devicePath) {
    if (kindAt(devicePath) != EntryKind::Directory) return nullptr;
    std::string path = devicePath;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return rt::make<Bundle>(path);
}

std::string Bundle::pathForResource(const std::string& name, const std::string& type) const {
    const std::string fileName = type.empty() ? name : name + "." + type;
    if (!isSafeName(fileName)) return {};
    const std::string atTop = joinDevicePath(_devicePath, fileName);
    if (kindAt(atTop) == EntryKind::File) return atTop;
    for (const std::string& localization : preferredLocalizations()) {
        const std::string localized = joinDevicePath(
            joinDevicePath(_devicePath, localization + kLocalizationSuffix), fileName);
        if (kindAt(localized) == EntryKind::File) return localized;
    }
    return {};
}

std::vector<std::string> Bundle::localizations() const {
    std::vector<std::string> found;
    const auto files = core::RootedFiles::ofDeviceRoot();
    const auto directory = files ? files->openDirectory(_devicePath) : std::nullopt;
    if (!directory) return found;
    for (const std::string& name : directory->list()) {
        const std::size_t suffix = name.size() >= 6 ? name.size() - 6 : std::string::npos;
        if (suffix != std::string::npos && suffix > 0 &&
            name.compare(suffix, 6, kLocalizationSuffix) == 0 &&
            directory->kindOf(name) == EntryKind::Directory) {
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
    const std::string path = joinDevicePath(
        joinDevicePath(_devicePath, localization + kLocalizationSuffix), table + ".strings");
    // The version and the bytes come from one descriptor opened within the device root.
    const auto files = core::RootedFiles::ofDeviceRoot();
    const core::FileDescriptor file =
        files ? files->open(path, O_RDONLY | O_NONBLOCK) : core::FileDescriptor();
    const std::optional<FileVersion> version =
        file.valid() ? FileVersion::ofDescriptor(file.get()) : std::nullopt;
    ReadTable& read = _tables[localization + "/" + table];
    if (!read.version || read.version != version) {
        std::optional<StringsTable> parsed;
        if (version &&
            static_cast<std::uintmax_t>(version->size) <= StringsTable::kMaximumFileSize) {
            if (const auto bytes = core::readWholeDescriptor(file.get()))
                parsed = StringsTable::parse(*bytes);
        }
        read = ReadTable{version, std::move(parsed)};
    }
    return read.table ? &*read.table : nullptr;
}

}  // namespace ui
