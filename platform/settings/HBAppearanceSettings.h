#pragma once

#include "rt/Object.h"
#include "rt/Ref.h"
#include "ui/Color.h"

namespace settings {

// The colours a settings page asks for ("HBAppearanceSettings"), installed on a page with
// "hb_setAppearanceSettings:".
class HBAppearanceSettings : public rt::Object {
  public:
    static constexpr const char* kClassName = "HBAppearanceSettings";

    const rt::Ref<ui::Color>& tableViewCellSeparatorColor() const { return _separator; }
    void setTableViewCellSeparatorColor(rt::Ref<ui::Color> color) { _separator = std::move(color); }
    const rt::Ref<ui::Color>& navigationBarBackgroundColor() const { return _barBackground; }
    void setNavigationBarBackgroundColor(rt::Ref<ui::Color> color) {
        _barBackground = std::move(color);
    }
    const rt::Ref<ui::Color>& tintColor() const { return _tint; }
    void setTintColor(rt::Ref<ui::Color> color) { _tint = std::move(color); }
    const rt::Ref<ui::Color>& statusBarTintColor() const { return _statusBarTint; }
    void setStatusBarTintColor(rt::Ref<ui::Color> color) { _statusBarTint = std::move(color); }
    const rt::Ref<ui::Color>& navigationBarTintColor() const { return _barTint; }
    void setNavigationBarTintColor(rt::Ref<ui::Color> color) { _barTint = std::move(color); }
    const rt::Ref<ui::Color>& navigationBarTitleColor() const { return _barTitle; }
    void setNavigationBarTitleColor(rt::Ref<ui::Color> color) { _barTitle = std::move(color); }

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    rt::Ref<ui::Color> _separator;
    rt::Ref<ui::Color> _barBackground;
    rt::Ref<ui::Color> _tint;
    rt::Ref<ui::Color> _statusBarTint;
    rt::Ref<ui::Color> _barTint;
    rt::Ref<ui::Color> _barTitle;
};

}  // namespace settings
