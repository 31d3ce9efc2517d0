#include "foundation/Bundle.h"

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>

#include "core/files/AtomicFile.h"
#include "core/files/RootedFiles.h"
#include "foundation/Locale.h"
#include "rt/Make.h"
#include "rt/NoDestroy.h"
#include "rt/Runtime.h"

namespace ui {

namespace {

const std::string kLocalizationSuffix = ".lproj";

bool isSafeName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

using EntryKind = BundleDirectory::EntryKind;

// The bundles handed out, one per device path, each kept while its directory is the one found
// at the path.
class SharedBundles {
  public:
    rt::Ref<Bundle> bundleOf(const std::shared_ptr<const BundleDirectory>& directory) {
        std::lock_guard lock(_mutex);
        rt::Ref<Bundle>& shared = _byPath[directory->devicePath()];
        if (shared && shared->directoryAsMade() == directory &&
            shared->getClass()->generation() == rt::Runtime::generation())
            return shared;
        if (_byPath.size() > kSharedBundles) {
            _byPath.clear();
            return rt::make<Bundle>(directory);
        }
        shared = rt::make<Bundle>(directory);
        return shared;
    }

  private:
    static constexpr std::size_t kSharedBundles = 32;
    std::mutex _mutex;
    std::map<std::string, rt::Ref<Bundle>> _byPath;
};

SharedBundles& sharedBundles() {
    static rt::NoDestroy<SharedBundles> shared;
    return *shared;
}

}  // namespace

Bundle::Bundle(std::string devicePath) : _devicePath(std::move(devicePath)) {}

Bundle::Bundle(std::shared_ptr<const BundleDirectory> directory)
    : _devicePath(directory->devicePath()), _directory(std::move(directory)) {}

rt::Ref<Bundle> Bundle::bundleWithPath(const std::string& devicePath) {
    const auto directory = BundleDirectory::open(devicePath);
    if (!directory) return nullptr;
    return sharedBundles().bundleOf(directory);
}

std::shared_ptr<const BundleDirectory> Bundle::directory() const {
    auto found = BundleDirectory::open(_devicePath);
    std::lock_guard lock(_directoryMutex);
    _directory = found;
    return found;
}

std::shared_ptr<const BundleDirectory> Bundle::directoryAsMade() const {
    {
        std::lock_guard lock(_directoryMutex);
        if (_directory) return _directory;
    }
    return directory();
}

std::optional<Bundle::Resource> Bundle::resource(const std::string& fileName) const {
    const auto held = directory();
    if (!held || !isSafeName(fileName)) return std::nullopt;
    if (held->kindOf(fileName) == EntryKind::File) return Resource{held, fileName};
    for (const std::string& localization : preferredLocalizations(*held)) {
        std::string localized = localization + kLocalizationSuffix + "/" + fileName;
        if (held->kindOf(localized) == EntryKind::File) return Resource{held, localized};
    }
    return std::nullopt;
}

std::string Bundle::pathForResource(const std::string& name, const std::string& type) const {
    const auto found = resource(type.empty() ? name : name + "." + type);
    return found ? found->directory->devicePathOf(found->relativePath) : std::string();
}

std::vector<std::string> Bundle::localizations() const {
    const auto held = directory();
    return held ? held->localizations() : std::vector<std::string>();
}

std::vector<std::string> Bundle::preferredLocalizations() const {
    const auto held = directory();
    return held ? preferredLocalizations(*held) : std::vector<std::string>();
}

std::vector<std::string> Bundle::preferredLocalizations(const BundleDirectory& held) {
    const std::vector<std::string> available = held.localizations();
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
    const auto held = directory();
    if (held && isSafeName(tableName)) {
        std::lock_guard lock(_tablesMutex);
        for (const std::string& localization : preferredLocalizations(*held)) {
            const StringsTable* strings = tableFor(*held, localization, tableName);
            if (const std::string* text = strings ? strings->find(key) : nullptr) return *text;
        }
    }
    return value.empty() ? key : value;
}

const StringsTable* Bundle::tableFor(const BundleDirectory& held, const std::string& localization,
                                     const std::string& table) const {
    // The version and the bytes come from one descriptor opened within the device root.
    const core::FileDescriptor file = held.openRelative(
        localization + kLocalizationSuffix + "/" + table + ".strings", O_RDONLY | O_NONBLOCK);
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
