#include "DeliverableInstaller.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <optional>
#include <system_error>

#include "core/files/AtomicFile.h"
#include "core/files/RootedFiles.h"

namespace fs = std::filesystem;

namespace {

// Copies the file or directory tree `from` (of this machine) to `name` in directory (of the
// device), creating everything through the opened directories, never by a device path
// resolved again.
bool copyInto(const fs::path& from, const core::DeviceDirectory& directory,
              const std::string& name) {
    std::error_code error;
    if (fs::is_directory(from, error)) {
        if (::mkdirat(directory.descriptor(), name.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        core::FileDescriptor opened = directory.openEntry(name, O_RDONLY | O_DIRECTORY);
        if (!opened.valid()) return false;
        const core::DeviceDirectory inside(std::move(opened));
        for (fs::directory_iterator it(from, error), end; !error && it != end;
             it.increment(error)) {
            if (!copyInto(it->path(), inside, it->path().filename().string())) return false;
        }
        return !error;
    }
    // A library keeps the built file's permissions (it is mapped executable).
    const auto permissions = fs::status(from, error).permissions();
    const auto bytes = core::readWholeFile(from);
    return !error && bytes &&
           directory.createFile(name, *bytes, static_cast<mode_t>(permissions) & 07777);
}

void installOne(const fs::path& from, const char* devicePath, std::vector<std::string>& problems) {
    const auto files = core::RootedFiles::ofDeviceRoot();
    const auto where = core::RootedFiles::split(devicePath);
    const auto directory = files && where ? files->createDirectories(where->first) : std::nullopt;
    if (!directory) {
        problems.push_back(std::string("no place for ") + devicePath + " in the device root");
        return;
    }
    // Anything already there (a file, a folder or a link) was put there by hand: kept.
    if (directory->kindOf(where->second) != core::DeviceDirectory::EntryKind::Missing) return;
    std::error_code error;
    if (!fs::exists(from, error)) {
        problems.push_back("the built " + from.filename().string() + " is missing at " +
                           from.string());
        return;
    }
    if (!copyInto(from, *directory, where->second))
        problems.push_back("could not install " + from.string() + " as " + devicePath);
}

}  // namespace

std::vector<std::string> DeliverableInstaller::installMissing(const Source& source) {
    std::vector<std::string> problems;
    installOne(source.tweakLibrary, kTweakDevicePath, problems);
    installOne(source.resourceBundle, kBundleDevicePath, problems);
    if (!source.paneBundle.empty()) installOne(source.paneBundle, kPaneBundleDevicePath, problems);
    if (!source.paneEntry.empty()) installOne(source.paneEntry, kPaneEntryDevicePath, problems);
    if (!source.killall.empty()) installOne(source.killall, kKillallDevicePath, problems);
    if (!source.plutil.empty()) installOne(source.plutil, kPlutilDevicePath, problems);
    if (!source.valuesEditor.empty())
        installOne(source.valuesEditor, kValuesEditorDevicePath, problems);
    return problems;
}
