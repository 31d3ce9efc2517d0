#pragma once

#include <string>
#include <vector>

#include "rt/Class.h"
#include "rt/Object.h"
#include "rt/Ref.h"
#include "rt/Selector.h"

namespace morvane {

// The three entries the library adds to an app icon's shortcut menu ("Volume",
// "Brightness", "Toggles"), with subtitles telling the app's stored values, and their icons.
class CustomShortcutItems {
  public:
    using ItemList = std::vector<rt::Ref<rt::Object>>;

    // Replaces "applicationShortcutItems" of the data provider: the pressed app is recorded
    // first, whatever comes of the build, then its custom items are placed in the list.
    static ItemList applicationShortcutItems(rt::Object* self, rt::Selector cmd);
    // Replaces "initWithTitle:subtitle:image:badgeView:handler:" of the menu action: a custom
    // entry's action gets its icon from the library's bundle.
    static rt::Ref<rt::Object> initWithTitle(rt::Object* self, rt::Selector cmd,
                                             const std::string& title, const std::string& subtitle,
                                             rt::Object* image, rt::Object* badgeView,
                                             rt::Object* handler);

    // The stock list with the enabled custom items placed in it, for the app.
    static ItemList addCustomItems(ItemList items, const std::string& bundleId);
    // The icon name of a menu action by its title, or null for a title of no custom entry.
    static const char* iconNameForTitle(const std::string& title);
};

}  // namespace morvane
