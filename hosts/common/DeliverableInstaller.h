#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Puts the built deliverables into a device root that does not hold them yet, where the
// phone's package manager would: the tweak library among the injected libraries, and its
// resource bundle. A root that holds them already (prepared by hand) is left as it is.
class DeliverableInstaller {
  public:
    struct Source {
        std::filesystem::path tweakLibrary;    // the built Morvane.dylib
        std::filesystem::path resourceBundle;  // MorvaneBundle.bundle
        std::filesystem::path paneBundle;      // the built MorvanePrefs.bundle (may be empty)
        std::filesystem::path paneEntry;       // the Settings app's entry for it
        std::filesystem::path killall;         // the phone's /usr/bin/killall
        std::filesystem::path plutil;          // the phone's /usr/bin/plutil (may be empty)
        std::filesystem::path valuesEditor;    // the phone's /usr/bin/ValuesEditor (may be empty)
    };

    static constexpr const char* kTweakDevicePath =
        "/Library/MobileSubstrate/DynamicLibraries/Morvane.dylib";
    static constexpr const char* kBundleDevicePath =
        "/Library/Application Support/MorvaneBundle.bundle";
    static constexpr const char* kPaneBundleDevicePath =
        "/Library/PreferenceBundles/MorvanePrefs.bundle";
    static constexpr const char* kPaneEntryDevicePath =
        "/Library/PreferenceLoader/Preferences/MorvanePrefs.plist";
    static constexpr const char* kKillallDevicePath = "/usr/bin/killall";
    static constexpr const char* kPlutilDevicePath = "/usr/bin/plutil";
    static constexpr const char* kValuesEditorDevicePath = "/usr/bin/ValuesEditor";

    // Installs what is missing; answers the problems met (empty when all went well).
    static std::vector<std::string> installMissing(const Source& source);
};
