#include "DeliverableInstaller.h"

#include <system_error>

#include "core/paths/DeviceRoot.h"

namespace fs = std::filesystem;

namespace {

void installOne(const fs::path& from, const char* devicePath, std::vector<std::string>& problems) {
    const auto target = core::DeviceRoot::mapForWriting(devicePath);
    if (!target) {
        problems.push_back(std::string("no place for ") + devicePath + " in the device root");
        return;
    }
    std::error_code error;
    if (fs::exists(*target, error)) return;
    if (!fs::exists(from, error)) {
        problems.push_back("the built " + from.filename().string() + " is missing at " +
                           from.string());
        return;
    }
    fs::copy(from, *target, fs::copy_options::recursive, error);
    if (error) problems.push_back("could not install " + from.string() + ": " + error.message());
}

}  // namespace

std::vector<std::string> DeliverableInstaller::installMissing(const Source& source) {
    std::vector<std::string> problems;
    installOne(source.tweakLibrary, kTweakDevicePath, problems);
    installOne(source.resourceBundle, kBundleDevicePath, problems);
    if (!source.paneBundle.empty()) installOne(source.paneBundle, kPaneBundleDevicePath, problems);
    if (!source.paneEntry.empty()) installOne(source.paneEntry, kPaneEntryDevicePath, problems);
    if (!source.killall.empty()) installOne(source.killall, kKillallDevicePath, problems);
    return problems;
}
