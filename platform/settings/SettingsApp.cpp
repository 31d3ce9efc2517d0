#include "settings/SettingsApp.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/notify/NotifyCenter.h"
#include "core/paths/DeviceRoot.h"
#include "core/plist/PlistReader.h"
#include "device/Phone.h"
#include "rt/Make.h"
#include "rt/Runtime.h"
#include "settings/Registration.h"
#include "ui/Toolkit.h"

namespace settings {

namespace {

std::string stringOf(const core::PlistDictionary& dictionary, std::string_view key) {
    const core::PlistValue* value = dictionary.find(key);
    return value && value->asString() ? *value->asString() : std::string();
}

bool isPlainName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

}  // namespace

void SettingsApp::bootWorld() {
    rt::Runtime::reset();
    device::Phone::boot();
    ui::registerClasses();
    registerClasses();
    core::NotifyCenter::darwin().reset();
}

std::vector<SettingsApp::PaneEntry> SettingsApp::listPanes() {
    std::vector<PaneEntry> panes;
    const auto directory = core::DeviceRoot::map(kEntriesDirectory);
    std::error_code error;
    if (!directory || !std::filesystem::is_directory(*directory, error)) return panes;
    for (const auto& file : std::filesystem::directory_iterator(*directory, error)) {
        if (file.path().extension() != ".plist") continue;
        const auto contents = core::dictionaryWithContentsOfFile(file.path());
        const core::PlistValue* entry = contents ? contents->find("entry") : nullptr;
        if (!entry || !entry->asDictionary()) continue;
        const auto& fields = *entry->asDictionary();
        PaneEntry pane{stringOf(fields, "label"), stringOf(fields, "bundle"),
                       stringOf(fields, "detail"), stringOf(fields, "icon")};
        if (pane.label.empty() || !isPlainName(pane.bundle)) continue;
        panes.push_back(std::move(pane));
    }
    std::sort(panes.begin(), panes.end(),
              [](const PaneEntry& a, const PaneEntry& b) { return a.label < b.label; });
    return panes;
}

SettingsApp::SettingsApp() : _root(rt::make<NavigationController>()) {
    _root->setRootViewController(rt::make<ui::ViewController>().get());
}

std::optional<std::string> SettingsApp::openPane(const std::string& label, bool loadBundle) {
    const auto panes = listPanes();
    const auto pane = std::find_if(panes.begin(), panes.end(),
                                   [&](const PaneEntry& entry) { return entry.label == label; });
    if (pane == panes.end()) return "the Settings app lists no pane called '" + label + "'";
    const std::string bundlePath = std::string(kBundlesDirectory) + "/" + pane->bundle + ".bundle";
    const auto info = core::DeviceRoot::map(bundlePath + "/Info.plist");
    const auto bundleInfo = info ? core::dictionaryWithContentsOfFile(*info) : std::nullopt;
    if (!bundleInfo) return bundlePath + " has no readable Info.plist";
    if (loadBundle) {
        const std::string executable = stringOf(*bundleInfo, "CFBundleExecutable");
        const auto binary = isPlainName(executable)
                                ? core::DeviceRoot::map(bundlePath + "/" + executable)
                                : std::nullopt;
        if (!binary) return bundlePath + " names no executable";
        // Stays loaded for the life of the app, as a loaded bundle does.
        if (!::dlopen(binary->c_str(), RTLD_NOW | RTLD_LOCAL))
            return bundlePath + " could not be loaded: " + ::dlerror();
    }
    std::string pageClass = pane->pageClass;
    if (pageClass.empty()) pageClass = stringOf(*bundleInfo, "NSPrincipalClass");
    auto page = rt::cast<PSListController>(rt::makeOfClass(rt::lookUpClass(pageClass)));
    if (!page) return bundlePath + ": no settings page class '" + pageClass + "'";
    page->setBundlePath(bundlePath);
    auto stack = rt::make<NavigationController>();
    stack->setNavigationBarHidden(true);
    stack->setRootViewController(page.get());
    _root->pushViewController(stack.get(), true);
    return std::nullopt;
}

rt::Ref<NavigationController> SettingsApp::paneStack() const {
    return rt::cast<NavigationController>(_root->topViewController());
}

rt::Ref<PSListController> SettingsApp::rootPage() const {
    const auto stack = paneStack();
    return stack && !stack->viewControllers().empty()
               ? rt::cast<PSListController>(stack->viewControllers().front())
               : rt::Ref<PSListController>();
}

rt::Ref<PSListController> SettingsApp::frontPage() const {
    const auto stack = paneStack();
    return stack ? rt::cast<PSListController>(stack->topViewController())
                 : rt::Ref<PSListController>();
}

bool SettingsApp::back() {
    const auto stack = paneStack();
    if (!stack) return false;
    if (stack->popViewControllerAnimated(true)) return true;
    return static_cast<bool>(_root->popViewControllerAnimated(true));
}

}  // namespace settings
