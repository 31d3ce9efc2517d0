#pragma once

#include "settings/HBAppearanceSettings.h"
#include "settings/PSListController.h"

namespace settings {

// The list-controller base of the preference library ("HBRootListController"): a page that
// takes the colours of its appearance settings. When the page appears its view takes the
// tint colour, its table the separator colour, and the navigation bars of its stack (its own
// and the one containing it, which shows it) the background, button and title colours.
class HBRootListController : public PSListController {
  public:
    static constexpr const char* kClassName = "HBRootListController";

    const rt::Ref<HBAppearanceSettings>& appearanceSettings() const { return _appearance; }
    // "hb_setAppearanceSettings:".
    void setAppearanceSettings(HBAppearanceSettings* settings);
    // The colours on the page and its bars, as they are now.
    void applyAppearance();

    void viewWillAppear(bool animated);

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    rt::Ref<HBAppearanceSettings> _appearance;
};

}  // namespace settings
