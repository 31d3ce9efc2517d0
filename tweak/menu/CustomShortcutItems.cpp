#include "tweak/menu/CustomShortcutItems.h"

#include "rt/Hook.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "tweak/menu/HostMenuObjects.h"
#include "tweak/menu/MenuTexts.h"
#include "tweak/startup/HostClass.h"
#include "tweak/startup/ReplacementGuard.h"
#include "tweak/startup/Settings.h"
#include "tweak/startup/SharedState.h"
#include "tweak/store/CustomValuesStore.h"
#include "tweak/widgets/BundleHelper.h"

namespace morvane {

namespace {

HostClass& shortcutItemClass() {
    static HostClass cls("SBSApplicationShortcutItem");
    return cls;
}

rt::Ref<rt::Object> makeItem(const char* title, const std::string& subtitle, const char* type,
                             const std::string& bundleId) {
    rt::Ref<rt::Object> item = rt::makeOfClass(shortcutItemClass().get());
    rt::send<void>(item, rt::sel("setLocalizedTitle:"), title);
    rt::send<void>(item, rt::sel("setLocalizedSubtitle:"), subtitle);
    rt::send<void>(item, rt::sel("setType:"), type);
    rt::send<void>(item, rt::sel("setBundleIdentifierToLaunch:"), bundleId);
    return item;
}

// In front, one by one (so the items come out reversed), or after the stock items.
void place(CustomShortcutItems::ItemList& items, rt::Ref<rt::Object> item) {
    if (!item) return;
    if (Settings::isOn(Setting::itemsBeforeStockItems))
        items.insert(items.begin(), std::move(item));
    else
        items.push_back(std::move(item));
}

std::size_t storedToggleCount(const std::string& bundleId) {
    const auto toggles = CustomValuesStore::getCustomTogglesForApp(bundleId);
    return toggles ? toggles->size() : 0;
}

}  // namespace

CustomShortcutItems::ItemList CustomShortcutItems::applicationShortcutItems(rt::Object* self,
                                                                            rt::Selector cmd) {
    std::optional<std::string> bundleId;
    runGuarded(
        [&] { bundleId = HostMenuObjects::stringAnswer(self, "applicationBundleIdentifier"); });
    SharedState::currentForceTouchedAppBundleId() = bundleId;
    ItemList stock = rt::original<&applicationShortcutItems>(self, cmd);
    if (!bundleId) return stock;
    ItemList items = stock;
    runGuarded([&] { items = addCustomItems(stock, *bundleId); });
    return items;
}

rt::Ref<rt::Object> CustomShortcutItems::initWithTitle(rt::Object* self, rt::Selector cmd,
                                                       const std::string& title,
                                                       const std::string& subtitle,
                                                       rt::Object* image, rt::Object* badgeView,
                                                       rt::Object* handler) {
    rt::Ref<rt::Object> icon = rt::retained(image);
    runGuarded([&] {
        if (const char* iconName = iconNameForTitle(title))
            icon = BundleHelper::getImageWithName(iconName);
    });
    return rt::original<&initWithTitle>(self, cmd, title, subtitle, icon.get(), badgeView, handler);
}

CustomShortcutItems::ItemList CustomShortcutItems::addCustomItems(ItemList items,
                                                                  const std::string& bundleId) {
    if (Settings::isOn(Setting::showVolumeItem)) {
        const double volume = CustomValuesStore::getCustomVolumeForApp(bundleId);
        place(items, makeItem(MenuTexts::kVolumeTitle,
                              MenuTexts::levelSubtitle(volume, MenuTexts::kNoVolumeSubtitle),
                              MenuTexts::kVolumeType, bundleId));
    }
    if (Settings::isOn(Setting::showBrightnessItem)) {
        const double brightness = CustomValuesStore::getCustomBrightnessForApp(bundleId);
        place(items,
              makeItem(MenuTexts::kBrightnessTitle,
                       MenuTexts::levelSubtitle(brightness, MenuTexts::kNoBrightnessSubtitle),
                       MenuTexts::kBrightnessType, bundleId));
    }
    if (Settings::isOn(Setting::showTogglesItem)) {
        const std::string subtitle =
            MenuTexts::togglesSubtitle(storedToggleCount(bundleId),
                                       Settings::isOn(Setting::showNbEnabledTogglesInsteadOfIcons));
        place(items,
              makeItem(MenuTexts::kTogglesTitle, subtitle, MenuTexts::kTogglesType, bundleId));
    }
    return items;
}

const char* CustomShortcutItems::iconNameForTitle(const std::string& title) {
    if (title == MenuTexts::kVolumeTitle) return MenuTexts::kVolumeIcon;
    if (title == MenuTexts::kBrightnessTitle) return MenuTexts::kBrightnessIcon;
    if (title == MenuTexts::kTogglesTitle) return MenuTexts::kTogglesIcon;
    return nullptr;
}

}  // namespace morvane
