#include "prefs/AppBundles.h"

#include <optional>

#include "core/files/RootedFiles.h"
#include "core/plist/PlistReader.h"
#include "shared/AppValueRules.h"

namespace morvane::prefs {

namespace {

constexpr const char* kSystemApps = "/Applications";
constexpr const char* kUserApps = "/var/containers/Bundle/Application";
// A phone with more bundles than this is not scanned past it (the page stays fast).
constexpr std::size_t kMostBundles = 2000;

std::string stringIn(const core::PlistDictionary& info, const char* key) {
    const core::PlistValue* value = info.find(key);
    return value && value->asString() ? *value->asString() : std::string();
}

// The icon the bundle names: its CFBundleIconFile, or its primary icon's last file at @2x.
std::string iconFileOf(const core::PlistDictionary& info) {
    std::string file = stringIn(info, "CFBundleIconFile");
    if (file.empty()) {
        const core::PlistValue* icons = info.find("CFBundleIcons");
        const auto* primary = icons && icons->asDictionary()
                                  ? icons->asDictionary()->find("CFBundlePrimaryIcon")
                                  : nullptr;
        const auto* files = primary && primary->asDictionary()
                                ? primary->asDictionary()->find("CFBundleIconFiles")
                                : nullptr;
        const core::PlistArray* names = files ? files->asArray() : nullptr;
        const core::PlistValue* last =
            names && !names->empty() ? names->at(names->size() - 1) : nullptr;
        if (last && last->asString()) file = *last->asString() + "@2x";
    }
    if (file.empty() || file.find('/') != std::string::npos) return {};
    return file.ends_with(".png") ? file : file + ".png";
}

void addBundle(const core::RootedFiles& files, const std::string& bundlePath,
               std::map<std::string, AppBundles::App>& apps) {
    const auto bytes = files.readFile(bundlePath + "/Info.plist");
    const auto document = bytes ? core::parsePropertyList(*bytes) : std::nullopt;
    const core::PlistDictionary* info = document ? document->asDictionary() : nullptr;
    if (!info) return;
    const std::string bundleId = stringIn(*info, "CFBundleIdentifier");
    if (!app_values::isBundleIdentifier(bundleId)) return;
    AppBundles::App app{stringIn(*info, "CFBundleDisplayName"), {}};
    if (app.displayName.empty()) app.displayName = stringIn(*info, "CFBundleName");
    if (app.displayName.empty()) return;
    if (const std::string icon = iconFileOf(*info); !icon.empty())
        app.iconPath = bundlePath + "/" + icon;
    apps.emplace(bundleId, std::move(app));
}

void addBundlesIn(const core::RootedFiles& files, const std::string& folder, int depth,
                  std::map<std::string, AppBundles::App>& apps, std::size_t& seen) {
    const auto directory = files.openDirectory(folder);
    if (!directory) return;
    for (const std::string& name : directory->list()) {
        if (++seen > kMostBundles) return;
        const std::string path = folder + "/" + name;
        if (name.ends_with(".app"))
            addBundle(files, path, apps);
        else if (depth > 0)
            addBundlesIn(files, path, depth - 1, apps, seen);
    }
}

}  // namespace

std::map<std::string, AppBundles::App> AppBundles::installed() {
    std::map<std::string, App> apps;
    const auto files = core::RootedFiles::ofDeviceRoot();
    if (!files) return apps;
    std::size_t seen = 0;
    addBundlesIn(*files, kSystemApps, 0, apps, seen);
    addBundlesIn(*files, kUserApps, 1, apps, seen);
    return apps;
}

}  // namespace morvane::prefs
