#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/files/DeviceDirectory.h"
#include "core/files/RootedFiles.h"
#include "core/preferences/PreferenceFileUpdate.h"

// The files plutil reads and writes: paths of this machine, or device paths resolved within a
// device root by the kernel. Every write replaces its target atomically through a temporary
// created exclusively beside it, without following links; a target that is a link, a
// directory or anything but a regular file is refused.
class PlistFiles {
  public:
    // Paths of this machine.
    PlistFiles() = default;
    // Device paths of the process's device root; none when there is none or it cannot be opened.
    static std::optional<PlistFiles> ofDeviceRoot();

    struct Read {
        std::optional<std::string> bytes;
        std::string problem;  // why there are no bytes
    };
    Read read(const std::string& path) const;

    // Replaces (or creates) path with bytes; answers the problem, empty when written.
    std::string write(const std::string& path, std::string_view bytes) const;

    // A preference file: "<something>/Library/Preferences/<name>.plist".
    static bool isPreferenceFile(const std::string& path);

    // Applies change to the preference file at path by the writers' rule (its lock, the file
    // read again under it, an unreadable one kept aside) and writes it in format.
    core::PreferenceFileUpdate::Result updatePreferences(
        const std::string& path, const core::PreferenceFileUpdate::Change& change,
        core::PlistFormat format) const;

  private:
    explicit PlistFiles(core::RootedFiles root) : _root(std::move(root)) {}

    struct Place {
        std::optional<core::DeviceDirectory> directory;
        std::string name;
        std::string problem;
    };
    // The opened directory of path and the name of its entry in it.
    Place placeOf(const std::string& path) const;
    static std::string refusedTarget(const Place& place, const std::string& path);

    std::optional<core::RootedFiles> _root;
};
