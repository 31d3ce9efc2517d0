#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/files/FileVersion.h"
#include "foundation/BundleDirectory.h"
#include "foundation/StringsTable.h"
#include "rt/Object.h"
#include "rt/Ref.h"

namespace ui {

// A directory of resources ("NSBundle") on the phone: images and files at its top level
// and in its localization directories ("en.lproj", "ar.lproj"), and localized strings
// tables. Paths are the phone's; every file and directory is opened within the device root.
// A bundle may be used from several threads.
class Bundle : public rt::Object {
  public:
    static constexpr const char* kClassName = "NSBundle";
    // The localization used when the phone's language has none.
    static constexpr const char* kDevelopmentLocalization = "en";

    explicit Bundle(std::string devicePath);
    // A bundle of a directory just opened (or found current).
    explicit Bundle(std::shared_ptr<const BundleDirectory> directory);

    // "initWithPath:" / "bundleWithPath:": null when no directory is at the path. One bundle
    // is handed out per path while the directory found there stays the same; another for a
    // directory found anew (the bundle replaced, moved or removed meanwhile).
    static rt::Ref<Bundle> bundleWithPath(const std::string& devicePath);

    const std::string& bundlePath() const { return _devicePath; }
    const std::string& resourcePath() const { return _devicePath; }

    // A resource file found in the bundle: its directory, held open, and its path in it.
    struct Resource {
        std::shared_ptr<const BundleDirectory> directory;
        std::string relativePath;
    };
    // The file "<fileName>" at the top level, else in the preferred localizations.
    std::optional<Resource> resource(const std::string& fileName) const;
    // The bundle's directory, held open while it stays where it is; none when it is gone.
    std::shared_ptr<const BundleDirectory> directory() const;
    // The directory as it was when this bundle was made or last checked, without checking
    // it again: for a caller that has just made the bundle (bundleWithPath checks).
    std::shared_ptr<const BundleDirectory> directoryAsMade() const;

    // "pathForResource:ofType:": the device path of "<name>.<type>" at the top level, else in
    // the preferred localizations; empty when there is none. An empty type takes the name as
    // it is.
    std::string pathForResource(const std::string& name, const std::string& type) const;

    // The localizations the bundle has ("ar", "en"), sorted.
    std::vector<std::string> localizations() const;
    // Those to look in for the phone's locale, best first: the locale's identifier, its
    // language, the development localization and "Base", as far as the bundle has them.
    std::vector<std::string> preferredLocalizations() const;

    // "localizedStringForKey:value:table:": the text of the key in the table ("Localizable"
    // when the name is empty) of the first preferred localization that has it; otherwise the
    // value, or the key when the value is empty.
    std::string localizedStringForKey(const std::string& key, const std::string& value,
                                      const std::string& table) const;

  private:
    static std::vector<std::string> preferredLocalizations(const BundleDirectory& directory);
    // The table, read anew when its file changed; called with _tablesMutex held.
    const StringsTable* tableFor(const BundleDirectory& held, const std::string& localization,
                                 const std::string& table) const;

    std::string _devicePath;
    mutable std::mutex _directoryMutex;
    mutable std::shared_ptr<const BundleDirectory> _directory;  // the one last found current
    // A table as read from one version of its file (none for a missing or corrupt file).
    struct ReadTable {
        std::optional<FileVersion> version;
        std::optional<StringsTable> table;
    };

    // Tables read so far, by "<localization>/<table>", each kept while its file stays the
    // same version: a rewritten strings file is read anew at the next lookup.
    mutable std::mutex _tablesMutex;
    mutable std::map<std::string, ReadTable> _tables;
};

}  // namespace ui
