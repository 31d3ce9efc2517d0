#include "settings/SettingsApp.h"

#include <dlfcn.h>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>

#include "core/files/RootedFiles.h"
#include "rt/Make.h"
#include "services/SystemWorld.h"
#include "settings/DeviceDictionary.h"
#include "settings/Registration.h"
#include "settings/SettingsListController.h"
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

// Loads the bundle's executable, opened by the kernel within the device root and loaded from
// that very descriptor. It stays loaded, its descriptor open, for the life of the app, as a
// loaded bundle does. Answers a problem, or none.
std::optional<std::string> loadExecutable(const std::string& bundlePath,
                                          const std::string& executable) {
    if (!isPlainName(executable)) return bundlePath + " names no executable";
    const auto files = core::RootedFiles::ofDeviceRoot();
    core::FileDescriptor binary =
        files ? files->open(bundlePath + "/" + executable, O_RDONLY) : core::FileDescriptor();
    struct stat status {};
    if (!binary.valid() || ::fstat(binary.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return bundlePath + "/" + executable + " cannot be opened within the device root";
    const std::string loadPath = "/proc/self/fd/" + std::to_string(binary.get());
    if (!::dlopen(loadPath.c_str(), RTLD_NOW | RTLD_LOCAL))
        return bundlePath + " could not be loaded: " + ::dlerror();
    binary.release();
    return std::nullopt;
}

}  // namespace

void SettingsApp::bootWorld() {
    services::SystemWorld::boot({}, false);
    registerClasses();
}

std::vector<SettingsApp::PaneEntry> SettingsApp::listPanes() {
    std::vector<PaneEntry> panes;
    const auto files = core::RootedFiles::ofDeviceRoot();
    const auto directory = files ? files->openDirectory(kEntriesDirectory) : std::nullopt;
    if (!directory) return panes;
    for (const std::string& name : directory->list()) {
        if (!name.ends_with(".plist")) continue;
        const auto contents = readDeviceDictionary(std::string(kEntriesDirectory) + "/" + name);
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
    auto list = rt::make<SettingsListController>();
    list->setPaneOpener([this](const std::string& label) { openPane(label); });
    NavigationController::navigationItemOf(list.get())->setTitle("Settings");
    _root->setRootViewController(list.get());
}

rt::Ref<SettingsListController> SettingsApp::listPage() const {
    return _root->viewControllers().empty()
               ? rt::Ref<SettingsListController>()
               : rt::cast<SettingsListController>(_root->viewControllers().front());
}

std::optional<std::string> SettingsApp::openPane(const std::string& label, bool loadBundle) {
    const auto panes = listPanes();
    const auto pane = std::find_if(panes.begin(), panes.end(),
                                   [&](const PaneEntry& entry) { return entry.label == label; });
    if (pane == panes.end()) return "the Settings app lists no pane called '" + label + "'";
    const std::string bundlePath = std::string(kBundlesDirectory) + "/" + pane->bundle + ".bundle";
    const auto bundleInfo = readDeviceDictionary(bundlePath + "/Info.plist");
    if (!bundleInfo) return bundlePath + " has no readable Info.plist";
    if (loadBundle) {
        if (auto problem = loadExecutable(bundlePath, stringOf(*bundleInfo, "CFBundleExecutable")))
            return problem;
    }
    std::string pageClass = pane->pageClass;
    if (pageClass.empty()) pageClass = stringOf(*bundleInfo, "NSPrincipalClass");
    auto page = rt::cast<PSListController>(rt::makeOfClass(rt::lookUpClass(pageClass)));
    if (!page) return bundlePath + ": no settings page class '" + pageClass + "'";
    page->setBundlePath(bundlePath);
    if (auto item = NavigationController::navigationItemOf(page.get()); item->title().empty())
        item->setTitle(pane->label);
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
