#include "settings/SettingsListController.h"

#include "rt/Make.h"
#include "rt/MethodBinding.h"
#include "settings/SettingsApp.h"
#include "ui/Image.h"
#include "ui/NavigationController.h"

namespace settings {

namespace {

struct UsualEntry {
    const char* label;
    double red, green, blue;  // the colour of its icon's tile
};

// The phone's own entries shown above the panes, group by group (an empty label ends a group).
constexpr UsualEntry kUsualEntries[] = {
    {"Airplane Mode", 1.0, 0.58, 0.0},
    {"Wi-Fi", 0.0, 0.48, 1.0},
    {"Bluetooth", 0.0, 0.48, 1.0},
    {"Cellular", 0.2, 0.78, 0.35},
    {"", 0, 0, 0},
    {"Notifications", 1.0, 0.23, 0.19},
    {"Sounds & Haptics", 1.0, 0.18, 0.33},
    {"Focus", 0.35, 0.34, 0.84},
    {"Screen Time", 0.35, 0.34, 0.84},
    {"", 0, 0, 0},
    {"General", 0.56, 0.56, 0.58},
    {"Control Center", 0.56, 0.56, 0.58},
    {"Display & Brightness", 0.0, 0.48, 1.0},
};

rt::Ref<PSSpecifier> group() {
    return rt::make<PSSpecifier>("", PSCellType::Group, core::PlistDictionary{});
}

}  // namespace

rt::Ref<rt::Object> SettingsListController::specifiers() {
    if (!heldSpecifiers()) setHeldSpecifiers(buildEntries());
    return heldSpecifiers();
}

rt::Ref<ObjectArray> SettingsListController::buildEntries() {
    auto entries = rt::make<ObjectArray>();
    entries->addObject(group());
    for (const UsualEntry& usual : kUsualEntries) {
        if (*usual.label == '\0') {
            entries->addObject(group());
            continue;
        }
        auto entry = rt::make<PSSpecifier>(usual.label, PSCellType::Link, core::PlistDictionary{});
        entry->setIconColor(ui::Color::colorWithRed(usual.red, usual.green, usual.blue, 1));
        entries->addObject(entry);
    }
    entries->addObject(group());
    for (const auto& pane : SettingsApp::listPanes()) {
        auto entry = rt::make<PSSpecifier>(pane.label, PSCellType::Link, core::PlistDictionary{});
        entry->setTarget(this);
        entry->setButtonAction(rt::sel("openPaneOfSpecifier:"));
        if (!pane.icon.empty() && pane.icon.find('/') == std::string::npos) {
            entry->setIconImage(
                ui::Image::imageWithContentsOfFile(std::string(SettingsApp::kBundlesDirectory) +
                                                   "/" + pane.bundle + ".bundle/" + pane.icon));
        }
        if (!entry->iconImage()) entry->setIconColor(ui::Color::colorWithRed(0.56, 0.56, 0.58, 1));
        entries->addObject(entry);
    }
    return entries;
}

void SettingsListController::openPaneOfSpecifier(rt::Object* object) {
    const auto* entry = dynamic_cast<const PSSpecifier*>(object);
    if (entry && _openPane) _openPane(entry->name());
}

void SettingsListController::viewWillAppear(bool animated) {
    setHeldSpecifiers({});
    PSListController::viewWillAppear(animated);
}

void SettingsListController::registerRuntimeMethods(rt::Class* cls) {
    using C = SettingsListController;
    rt::addMethods(cls, {
                            rt::bind<&C::specifiers>("specifiers"),
                            rt::bind<&C::openPaneOfSpecifier>("openPaneOfSpecifier:"),
                            rt::bind<&C::viewWillAppear>("viewWillAppear:"),
                        });
}

}  // namespace settings
