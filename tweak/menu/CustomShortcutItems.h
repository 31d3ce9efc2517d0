#pragma once

#include <string>
#include <vector>

#include "rt/Class.h"
#include "rt/Object.h"
#include "rt/Ref.h"

namespace morvane {

// The three entries the library adds to an app icon's shortcut menu ("Volume",
// "Brightness", "Toggles"), with subtitles telling the app's stored values, and their icons.
class CustomShortcutItems {
  public:
    using ItemList = std::vector<rt::Ref<rt::Object>>;

    // Replace "applicationShortcutItems" of the data provider and
    // "initWithTitle:subtitle:image:badgeView:handler:" of the menu action.
    static bool hookApplicationShortcutItems(rt::Class* dataProviderClass);
    static bool hookActionInitWithTitle(rt::Class* actionClass);

    // The stock list with the enabled custom items placed in it, for the app.
    static ItemList addCustomItems(ItemList items, const std::string& bundleId);
    // The icon name of a menu action by its title, or null for a title of no custom entry.
    static const char* iconNameForTitle(const std::string& title);
};

}  // namespace morvane
