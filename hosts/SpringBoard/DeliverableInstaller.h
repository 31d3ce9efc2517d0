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
    };

    static constexpr const char* kTweakDevicePath =
        "/Library/MobileSubstrate/DynamicLibraries/Morvane.dylib";
    static constexpr const char* kBundleDevicePath =
        "/Library/Application Support/MorvaneBundle.bundle";

    // Installs what is missing; answers the problems met (empty when all went well).
    static std::vector<std::string> installMissing(const Source& source);
};
